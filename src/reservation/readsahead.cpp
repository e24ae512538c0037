#include "src/reservation/readsahead.h"

#include "src/shell/publico.h"

namespace reservation {

using shell::Publico;

ReadsAhead::ReadsAhead(const std::vector<ado::Statement>& reads) {
    std::vector<std::pair<QString, QVariantList>> sent;
    for (const ado::Statement& s : reads)
        if (!s.sql.isEmpty()) sent.emplace_back(s.sql, s.params);
    Publico::Sistema()->Conexion().ReadAhead(sent);
}

ReadsAhead::~ReadsAhead() {
    try {
        Publico::Sistema()->Conexion().ReadAhead({});
    } catch (...) {
        // No session left to hold answers: nothing to drop.
    }
}

std::vector<ado::Statement> ReadsAhead::editorLoad(std::vector<ado::Statement> then) {
    then.insert(then.begin(), {Publico::Funciones()->ConsultaFechaServidor(),
                               Publico::Sistema()->ConsultaParametro(kFormatoCliente)});
    return then;
}

}  // namespace reservation
