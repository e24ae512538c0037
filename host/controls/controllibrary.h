#pragma once

namespace component {
class Runtime;
}

namespace services {
class IControlHost;
}

namespace controls {

// Makes the host's controls creatable by their design names.
class ControlLibrary {
public:
    // The controls work with the given host's session.
    static void registerAll(component::Runtime& runtime, services::IControlHost& host);
    // The controls work with whichever session is installed at each call.
    static void registerAll(component::Runtime& runtime);
};

}  // namespace controls
