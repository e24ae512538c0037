#include "src/module/module.h"

#include "src/calendar/frmrs501.h"
#include "src/shell/pantalla.h"
#include "src/shell/publico.h"

namespace rs501 {

const component::Registration& registration() {
    static const component::Registration data{
        QStringLiteral("RS501"),
        {{QStringLiteral("RS501.Pantalla"),
          [] {
              shell::Publico::iniciar();  // before the first Pantalla reaches the host
              return static_cast<QObject*>(new shell::Pantalla([] { return calendar::frmRS501::instance(); }));
          }}},
        [] { return calendar::frmRS501::exists(); }};
    return data;
}

}  // namespace rs501
