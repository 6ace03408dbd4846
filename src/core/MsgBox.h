#pragma once

#include <QString>
#include <functional>
#include <optional>

class QPageLayout;
class QPagedPaintDevice;
class QPainter;

namespace q42 {

class Error;

// Button sets, icons and default buttons in the classic codes; a style is
// their sum (buttons + icon + default button).
enum MsgStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

// Answers in the classic codes.
enum MsgAnswer : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7
};

// Every message box and input box of the program goes through this seam:
// the program installs the Qt implementation, tests a scripted double.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual int msgBox(const QString& prompt, int style, const QString& title) = 0;
    // Empty optional when the operator cancelled.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;
};

// The service in use; the default one until another is installed.
MessageService& messageService();
// Installs a service (not owned); nullptr restores the Qt one.
void setMessageService(MessageService* service);

// Title used when a caller gives none: the program's name.
QString defaultMessageTitle();

int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = QString());
std::optional<QString> InputBox(const QString& prompt, const QString& title = QString(),
                                const QString& defaultText = QString());

// The error message: number, description and source (and the routine, when
// given) with the given buttons (Abort/Retry/Ignore when omitted); returns
// the operator's answer (vbRetry, vbIgnore, vbAbort ...).
int TrataError(const Error& error, std::optional<int> botones = std::nullopt,
               const QString& rutina = QString());

// Print previews go through this seam too: the report engine describes what
// to show and the interface (widgets) shows it, so that the engine itself
// needs no window. `dibuja` draws every page on the device the preview
// prints to, `guardaPdf` writes them into a file (false, with the reason).
struct PedidoVistaPrevia {
    QString titulo;
    QString impresora;
    const QPageLayout* pagina = nullptr;
    bool ajustarAlAncho = false;
    double zoomPorCiento = 0;
    std::function<void(QPainter&, QPagedPaintDevice&)> dibuja;
    std::function<bool(const QString& archivo, QString* error)> guardaPdf;
};
using VistaPrevia = void (*)(const PedidoVistaPrevia& pedido);
void muestraVistaPrevia(const PedidoVistaPrevia& pedido);

// The program's interface installs its message service (the default one)
// and its preview; without them messages go to the error output with their
// default answer and a preview is refused.
void setDefaultMessageService(MessageService* service);
void setVistaPrevia(VistaPrevia vistaPrevia);

} // namespace q42
