#include "MsgBox.h"

#include "Error.h"

#include <QCoreApplication>

#include <cstdio>

namespace q42 {

namespace {

// Without an interface (a program that never installed one) a message is
// written to the error output and answered with its default button, so
// nothing waits for a window that cannot appear.
class MensajesSinInterfaz final : public MessageService {
public:
    int msgBox(const QString& prompt, int style, const QString& title) override {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(title), qUtf8Printable(prompt));
        static constexpr int kRespuestas[][3] = {
            {vbOK, vbOK, vbOK},      {vbOK, vbCancel, vbCancel}, {vbAbort, vbRetry, vbIgnore},
            {vbYes, vbNo, vbCancel}, {vbYes, vbNo, vbNo},        {vbRetry, vbCancel, vbCancel},
        };
        const int botones = style & 0x0F;
        const int cual = (style & 0x300) >> 8;
        return botones < 6 && cual < 3 ? kRespuestas[botones][cual] : vbOK;
    }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
};

MessageService* g_service = nullptr;
MessageService* g_porDefecto = nullptr;
VistaPrevia g_vistaPrevia = nullptr;

} // namespace

MessageService& messageService() {
    static MensajesSinInterfaz sinInterfaz;
    if (g_service)
        return *g_service;
    return g_porDefecto ? *g_porDefecto : sinInterfaz;
}

void setMessageService(MessageService* service) {
    g_service = service;
}

void setDefaultMessageService(MessageService* service) {
    g_porDefecto = service;
}

QString defaultMessageTitle() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Q42") : name;
}

int MsgBox(const QString& prompt, int style, const QString& title) {
    return messageService().msgBox(prompt, style, title.isEmpty() ? defaultMessageTitle() : title);
}

std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                const QString& defaultText) {
    return messageService().inputBox(prompt, title.isEmpty() ? defaultMessageTitle() : title,
                                     defaultText);
}

void setVistaPrevia(VistaPrevia vistaPrevia) {
    g_vistaPrevia = vistaPrevia;
}

void muestraVistaPrevia(const PedidoVistaPrevia& pedido) {
    if (g_vistaPrevia)
        g_vistaPrevia(pedido);
    else
        std::fprintf(stderr, "%s: no preview without the program's interface\n",
                     qUtf8Printable(pedido.titulo));
}

int TrataError(const Error& error, std::optional<int> botones, const QString& rutina) {
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
