#include "platform/ado/connectiontext.h"

#include <libpq-fe.h>

#include <algorithm>

#include <QRegularExpression>
#include <QUrl>

#include "platform/core/error.h"

namespace ado {

namespace {

// What libpq reads in a connection text: only the options written in it,
// no defaults.
class Parsed {
public:
    explicit Parsed(const QString& text) : options_(PQconninfoParse(text.toUtf8().constData(), &error_)) {}
    ~Parsed() {
        PQconninfoFree(options_);
        PQfreemem(error_);
    }
    Parsed(const Parsed&) = delete;
    Parsed& operator=(const Parsed&) = delete;

    bool ok() const { return options_ != nullptr; }
    const PQconninfoOption* begin() const { return options_; }
    QString value(const char* keyword) const {
        for (const PQconninfoOption* o = options_; o && o->keyword; ++o)
            if (qstrcmp(o->keyword, keyword) == 0 && o->val) return QString::fromUtf8(o->val);
        return {};
    }

private:
    char* error_ = nullptr;
    PQconninfoOption* options_;
};

bool isUrl(const QString& text) {
    return text.startsWith(QLatin1String("postgresql://")) || text.startsWith(QLatin1String("postgres://"));
}

// The password as written between the user's ":" and an "@" before the
// query; the last "@" is what a person means, the first where libpq stops.
QStringList rawUrlPasswords(const QString& text) {
    if (!isUrl(text)) return {};
    const QString rest = text.mid(text.indexOf(QLatin1String("://")) + 3).section(QLatin1Char('?'), 0, 0);
    QStringList out;
    for (const qsizetype at : {rest.lastIndexOf(QLatin1Char('@')), rest.indexOf(QLatin1Char('@'))}) {
        const QString userInfo = rest.left(std::max<qsizetype>(at, 0));
        const qsizetype colon = userInfo.indexOf(QLatin1Char(':'));
        if (colon >= 0) out << userInfo.mid(colon + 1);
    }
    return out;
}

QString rawKeywordPassword(const QString& text) {
    static const QRegularExpression password(QStringLiteral(R"((?:^|\s)password\s*=\s*('(?:[^'\\]|\\.)*'?|\S+))"));
    return password.match(text).captured(1);
}

// A URL whose raw password libpq splits elsewhere than meant: pieces of the
// password would be taken for the host or the database name.
bool ambiguous(const QString& text, const Parsed& parsed) {
    const QStringList raw = rawUrlPasswords(text);
    if (raw.isEmpty()) return false;
    if (parsed.ok()) return QUrl::fromPercentEncoding(raw.first().toUtf8()) != parsed.value("password");
    return raw.first().contains(QRegularExpression(QStringLiteral("[@/%]")));
}

QString urlPart(const QString& value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value, ",:"));
}

}  // namespace

bool ConnectionText::isPostgres(const QString& text) {
    // A keyword at the start is libpq's form even when the rest is wrong:
    // libpq then says what, instead of a file being made under that name.
    static const QRegularExpression keyword(QStringLiteral(R"(^\s*[a-z_]+\s*=)"));
    return isUrl(text) || (!text.startsWith(QLatin1String("sqlite:")) && keyword.match(text).hasMatch());
}

QStringList ConnectionText::secrets(const QString& text) {
    QStringList raw = rawUrlPasswords(text);
    raw << rawKeywordPassword(text);
    QStringList out{Parsed(text).value("password")};
    for (const QString& r : raw) {
        out << r << QUrl::fromPercentEncoding(r.toUtf8());
        if (r.startsWith(QLatin1Char('\''))) out << r.mid(1).chopped(r.endsWith(QLatin1Char('\'')) ? 1 : 0);
    }
    out.removeAll(QString());
    out.removeDuplicates();
    // The longest first, so that no part of a longer one is left showing.
    std::sort(out.begin(), out.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
    return out;
}

bool ConnectionText::hasPassword(const QString& text) {
    return isPostgres(text) && !secrets(text).isEmpty();
}

QString ConnectionText::scrub(const QString& text, QString message) {
    for (const QString& secret : secrets(text)) message.replace(secret, QStringLiteral("***"));
    return message;
}

QString ConnectionText::display(const QString& text) {
    const Parsed parsed(text);
    if (!parsed.ok() || ambiguous(text, parsed)) return scrub(text, text);
    QString user, host, port, dbname;
    QStringList options;
    for (const PQconninfoOption* o = parsed.begin(); o->keyword; ++o) {
        if (!o->val || !*o->val || qstrcmp(o->keyword, "password") == 0) continue;
        const QString key = QString::fromUtf8(o->keyword), value = QString::fromUtf8(o->val);
        if (key == QLatin1String("user")) user = urlPart(value) + QLatin1Char('@');
        else if (key == QLatin1String("host")) host = value.contains(QLatin1Char(':')) ? '[' + value + ']' : urlPart(value);
        else if (key == QLatin1String("port")) port = QLatin1Char(':') + urlPart(value);
        else if (key == QLatin1String("dbname")) dbname = urlPart(value);
        else options << key + QLatin1Char('=') + urlPart(value);
    }
    const QString query = options.isEmpty() ? QString() : QLatin1Char('?') + options.join(QLatin1Char('&'));
    return QStringLiteral("postgresql://%1%2%3/%4%5").arg(user, host, port, dbname, query);
}

void ConnectionText::refuseAmbiguous(const QString& text) {
    if (!ambiguous(text, Parsed(text))) return;
    throw core::Error(QStringLiteral("La contraseña de la URL de la base de datos tiene caracteres que la URL no admite "
                                     "tal cual (@, /, :, %); escríbalos codificados (%40, %2F, %3A, %25) o, mejor, guarde la "
                                     "contraseña en ~/.pgpass."));
}

QString ConnectionText::commandLineWarning() {
    return QStringLiteral(
        "aviso: la contraseña escrita en --db queda a la vista de todos los usuarios de esta máquina en la lista de "
        "procesos; guárdela en ~/.pgpass o en un archivo de servicio (postgresql:///rs501?service=rs501), o pase la "
        "conexión en RS501_DB.");
}

}  // namespace ado
