#include "Utiles.h"

#include "Formularios.h"
#include "Regional.h"
#include "ui/MsgBox.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDate>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

namespace q42 {

namespace {

ado::Engine g_motor = ado::Engine::None;
bool g_esperaActiva = false;

const char* const kMeses[] = {"Enero",      "Febrero", "Marzo",     "Abril",
                              "Mayo",       "Junio",   "Julio",     "Agosto",
                              "Septiembre", "Octubre", "Noviembre", "Diciembre"};

Error noEsFecha(const QString& texto) {
    return Error(
        err::TypeMismatch,
        QStringLiteral("No coinciden los tipos: \"%1\" no es una fecha").arg(texto.trimmed()),
        QStringLiteral("Utiles.FechaSQL"));
}

} // namespace

Currency Utiles::TextoANumero(const QString& texto) {
    if (auto valor = Currency::parse(texto))
        return *valor;
    throw Error(err::TypeMismatch, QStringLiteral("No coinciden los tipos"),
                QStringLiteral("Utiles.TextoANumero"));
}

QVariant Utiles::ValorNoNulo(const QVariant& valor) {
    if (!valor.isValid() || valor.isNull())
        return QString();
    return valor;
}

QString Utiles::ValorNoNuloTexto(const QVariant& valor) {
    return ValorNoNulo(valor).toString();
}

QString Utiles::QuitaCaracteres(const QString& texto, const QString& caracteres) {
    QString out;
    out.reserve(texto.size());
    for (QChar c : texto)
        if (!caracteres.contains(c))
            out += c;
    return out;
}

// QString::replace with an empty search text inserts between every
// character; an empty search means "nothing to replace" here.
QString Utiles::Reemplaza(const QString& texto, const QString& busca, const QString& pone) {
    if (busca.isEmpty())
        return texto;
    return QString(texto).replace(busca, pone, Qt::CaseSensitive);
}

QString Utiles::SustituyeTexto(const QString& texto, const QString& busca, const QString& pone) {
    if (busca.isEmpty())
        return texto;
    return QString(texto).replace(busca, pone, Qt::CaseInsensitive);
}

int Utiles::CuentaPalabras(const QString& texto) {
    int palabras = 0;
    bool dentro = false;
    for (QChar c : texto) {
        const bool blanco = c.isSpace() || c.isNull();
        if (!blanco && !dentro)
            ++palabras;
        dentro = !blanco;
    }
    return palabras;
}

qint64 Utiles::TextoAEntero(const QString& texto) {
    const QString t = texto.trimmed();
    int i = 0;
    bool negativo = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        negativo = t[i++] == QLatin1Char('-');
    qint64 valor = 0;
    constexpr qint64 tope = std::numeric_limits<qint64>::max();
    for (; i < t.size() && t[i].isDigit() && t[i].unicode() < 128; ++i) {
        const int digito = t[i].unicode() - '0';
        if (valor > (tope - digito) / 10)
            throw Error(err::Overflow, QStringLiteral("Desbordamiento"),
                        QStringLiteral("Utiles.TextoAEntero"));
        valor = valor * 10 + digito;
    }
    return negativo ? -valor : valor;
}

QString Utiles::AjustaTexto(const QString& texto, int ancho) {
    if (ancho <= 0)
        return QString();
    return texto.left(ancho).leftJustified(ancho, QLatin1Char(' '));
}

QString Utiles::NombreMes(int mes) {
    if (mes < 1 || mes > 12)
        return QString();
    return QString::fromLatin1(kMeses[mes - 1]);
}

int Utiles::UltimoDiaMes(int mes, int anio) {
    if (mes < 1 || mes > 12)
        throw Error(err::InvalidProcedureCall,
                    QStringLiteral("Llamada a procedimiento no válida: mes %1").arg(mes),
                    QStringLiteral("Utiles.UltimoDiaMes"));
    if (anio == 0)
        anio = QDate::currentDate().year();
    return QDate(anio, mes, 1).daysInMonth();
}

QString Utiles::FechaSQL(const QString& fecha) {
    return FechaSQL(fecha, g_motor);
}

QString Utiles::FechaSQL(const QString& fecha, ado::Engine motor) {
    const auto leida = Regional::readFullDate(fecha);
    if (!leida)
        throw noEsFecha(fecha);
    return FechaHoraSQL(QDateTime(*leida, QTime(0, 0)), motor);
}

QString Utiles::FechaHoraSQL(const QDateTime& momento) {
    return FechaHoraSQL(momento, g_motor);
}

// SQLite gets the SQL Server form too: the layer adapts it like any T-SQL.
QString Utiles::FechaHoraSQL(const QDateTime& momento, ado::Engine motor) {
    const QString texto = momento.toString(u"yyyy-MM-dd HH:mm:ss");
    if (motor == ado::Engine::Oracle)
        return QStringLiteral("TO_DATE('%1', 'YYYY-MM-DD HH24:MI:SS')").arg(texto);
    const int ms = momento.time().msec();
    if (ms != 0)
        return QStringLiteral("CONVERT(datetime, '%1.%2', 121)")
            .arg(texto)
            .arg(ms, 3, 10, QLatin1Char('0'));
    return QStringLiteral("CONVERT(datetime, '%1', 120)").arg(texto);
}

// SQL Server's datetime stops at .997 within a second; Oracle's DATE at the
// second.
QString Utiles::FinDiaSQL(const QString& fecha) {
    const auto leida = Regional::readFullDate(fecha);
    if (!leida)
        throw noEsFecha(fecha);
    return FechaHoraSQL(QDateTime(*leida, QTime(23, 59, 59, 997)), g_motor);
}

void Utiles::setMotor(ado::Engine motor) {
    g_motor = motor;
}

ado::Engine Utiles::motor() {
    return g_motor;
}

QString Utiles::EligeFecha(const QString& inicial) {
    QDialog dialogo(QApplication::activeWindow());
    dialogo.setObjectName(QStringLiteral("dlgEligeFecha"));
    dialogo.setWindowTitle(QStringLiteral("Elija una fecha"));
    auto* calendario = new QCalendarWidget(&dialogo);
    calendario->setObjectName(QStringLiteral("calendario"));
    calendario->setGridVisible(true);
    // Month and day names in Spanish, the week as the regional settings
    // start it.
    QLocale idioma = Regional::locale();
    if (idioma.language() != QLocale::Spanish)
        idioma = QLocale(QLocale::Spanish, QLocale::Argentina);
    calendario->setLocale(idioma);
    calendario->setFirstDayOfWeek(idioma.firstDayOfWeek());
    calendario->setSelectedDate(Regional::readDate(inicial).value_or(QDate::currentDate()));
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialogo);
    botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Aceptar"));
    botones->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Cancelar"));
    QObject::connect(botones, &QDialogButtonBox::accepted, &dialogo, &QDialog::accept);
    QObject::connect(botones, &QDialogButtonBox::rejected, &dialogo, &QDialog::reject);
    QObject::connect(calendario, &QCalendarWidget::activated, &dialogo, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialogo);
    layout->addWidget(calendario);
    layout->addWidget(botones);

    if (execModal(&dialogo) != QDialog::Accepted)
        return QString();
    return calendario->selectedDate().toString(u"dd/MM/yyyy");
}

QString Utiles::CarpetaConBarra(const QString& carpeta) {
    if (carpeta.isEmpty())
        return carpeta;
    if (carpeta.endsWith(QLatin1Char('/')) || carpeta.endsWith(QLatin1Char('\\')))
        return carpeta;
    // Keep the separator style the folder already uses.
    const bool windows = carpeta.contains(QLatin1Char('\\')) && !carpeta.contains(QLatin1Char('/'));
    return carpeta + (windows ? QLatin1Char('\\') : QLatin1Char('/'));
}

// Standard set-up of a form: the bound boxes named <name>_<n> take the tab
// order of their indexes, and the form opens centred on its screen. Mode 1
// also fixes the form's size, as for a dialog.
void Utiles::PreparaFormulario(QWidget* formulario, int modo) {
    if (!formulario)
        return;
    static const QRegularExpression indexado(QStringLiteral("^(.+)_(\\d+)$"));
    QList<std::pair<int, QLineEdit*>> cajas;
    for (QLineEdit* caja : formulario->findChildren<QLineEdit*>()) {
        const auto m = indexado.match(caja->objectName());
        if (m.hasMatch() && caja->property(Formularios::DataField).isValid())
            cajas.append({m.captured(2).toInt(), caja});
    }
    std::sort(cajas.begin(), cajas.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (qsizetype i = 1; i < cajas.size(); ++i)
        QWidget::setTabOrder(cajas[i - 1].second, cajas[i].second);

    if (formulario->isWindow() && !formulario->isVisible()) {
        if (QScreen* pantalla = QGuiApplication::primaryScreen()) {
            const QRect zona = pantalla->availableGeometry();
            QRect marco(QPoint(0, 0), formulario->size().boundedTo(zona.size()));
            marco.moveCenter(zona.center());
            formulario->move(marco.topLeft());
        }
    }
    if (modo == 1)
        formulario->setFixedSize(formulario->size().expandedTo(formulario->minimumSizeHint()));
}

void Utiles::Espera(bool activa) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()) || activa == g_esperaActiva)
        return;
    if (activa)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
    g_esperaActiva = activa;
}

int Utiles::TrataError(const Error& error, std::optional<int> botones, const QString& rutina) {
    QString numero = QString::number(error.number());
    if (error.number() < 0) // OLE DB results read better in hexadecimal
        numero += QStringLiteral(" (0x%1)").arg(quint32(error.number()), 8, 16, QLatin1Char('0'));
    QString texto = QStringLiteral("Se ha producido un error.\r\n\r\nNúmero: %1\r\nDescripción: "
                                   "%2\r\nOrigen: %3")
                        .arg(numero, error.description(), error.source());
    if (!rutina.isEmpty())
        texto += QStringLiteral("\r\nRutina: %1").arg(rutina);
    const int estilo = botones.value_or(vbAbortRetryIgnore + vbCritical);
    return MsgBox(texto, estilo, QStringLiteral("Aviso al operador"));
}

} // namespace q42
