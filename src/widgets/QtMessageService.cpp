#include "QtMessageService.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace q42 {

namespace {

struct ButtonSpec {
    QMessageBox::StandardButton button;
    int answer;
};

std::vector<ButtonSpec> buttonsFor(int set) {
    using B = QMessageBox;
    switch (set) {
    case vbOKCancel:
        return {{B::Ok, vbOK}, {B::Cancel, vbCancel}};
    case vbAbortRetryIgnore:
        return {{B::Abort, vbAbort}, {B::Retry, vbRetry}, {B::Ignore, vbIgnore}};
    case vbYesNoCancel:
        return {{B::Yes, vbYes}, {B::No, vbNo}, {B::Cancel, vbCancel}};
    case vbYesNo:
        return {{B::Yes, vbYes}, {B::No, vbNo}};
    case vbRetryCancel:
        return {{B::Retry, vbRetry}, {B::Cancel, vbCancel}};
    default:
        return {{B::Ok, vbOK}};
    }
}

QMessageBox::Icon iconFor(int icon) {
    switch (icon) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// Spanish captions, whatever translation Qt has loaded.
QString captionFor(QMessageBox::StandardButton b) {
    switch (b) {
    case QMessageBox::Ok:
        return QStringLiteral("Aceptar");
    case QMessageBox::Cancel:
        return QStringLiteral("Cancelar");
    case QMessageBox::Abort:
        return QStringLiteral("&Anular");
    case QMessageBox::Retry:
        return QStringLiteral("&Reintentar");
    case QMessageBox::Ignore:
        return QStringLiteral("&Omitir");
    case QMessageBox::Yes:
        return QStringLiteral("&Sí");
    case QMessageBox::No:
        return QStringLiteral("&No");
    default:
        return QString();
    }
}

} // namespace

int QtMessageService::msgBox(const QString& prompt, int style, const QString& title) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(QString(prompt)
                    .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                    .replace(QLatin1Char('\r'), QLatin1Char('\n')));
    box.setIcon(iconFor(style & 0x70));
    const auto specs = buttonsFor(style & 0x0F);
    std::vector<QAbstractButton*> buttons;
    for (const auto& s : specs) {
        QPushButton* b = box.addButton(s.button);
        b->setText(captionFor(s.button));
        buttons.push_back(b);
    }
    const int defaultIndex = (style & 0x300) >> 8;
    if (defaultIndex < int(buttons.size()))
        box.setDefaultButton(static_cast<QPushButton*>(buttons[defaultIndex]));
    // Escape answers Cancel (or No) where the set has it, as the original did.
    for (std::size_t i = 0; i < specs.size(); ++i)
        if (specs[i].answer == vbCancel || (specs.size() == 1))
            box.setEscapeButton(buttons[i]);
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return specs[i].answer;
    return specs.size() == 1 ? vbOK : vbCancel;
}

std::optional<QString> QtMessageService::inputBox(const QString& prompt, const QString& title,
                                                  const QString& defaultText) {
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), title, prompt,
                                               QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

} // namespace q42
