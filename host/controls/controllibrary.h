#pragma once

namespace component {
class Runtime;
}

namespace controls {

// Makes the host's controls creatable by their design names.
class ControlLibrary {
public:
    static void registerAll(component::Runtime& runtime);
};

}  // namespace controls
