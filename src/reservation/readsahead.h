#pragma once

#include <QString>
#include <vector>

#include "platform/ado/connection.h"

namespace reservation {

// Reads that are about to be made one after another, sent now together (one
// round trip to a server far away); each is still asked for, in its order,
// and takes its answer when its turn comes. Whatever was not asked for by
// the end of the scope is dropped, so no later question gets an old answer.
class ReadsAhead {
public:
    explicit ReadsAhead(const std::vector<ado::Statement>& reads);
    ~ReadsAhead();
    ReadsAhead(const ReadsAhead&) = delete;
    ReadsAhead& operator=(const ReadsAhead&) = delete;

    // The parameter holding the client key's format, which the editor's load reads.
    static inline const QString kFormatoCliente = QStringLiteral("FTO_CLIENTE");

    // The editor's load reads, in its order: the server's date, then the
    // client key's format; then those given.
    static std::vector<ado::Statement> editorLoad(std::vector<ado::Statement> then);
};

}  // namespace reservation
