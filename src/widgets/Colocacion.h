#pragma once

// Where a window opens: centred in the screen's available area (the
// screen less its task bars), never larger than it, or where the operator
// left it last time when that place is still on a screen. Places are kept
// per user (AjustesUsuario).

#include <QList>
#include <QRect>
#include <QString>

class QWidget;

namespace q42 {

// The client rectangle of a window that wants `deseado` inside `area`:
// bounded by the area less `marco` (the window frame: title bar on top,
// borders), centred in it.
QRect marcoEnArea(const QSize& deseado, const QRect& area, const QMargins& marco = {});

// Whether a saved client rectangle lies wholly on one of the areas.
bool enAlgunaArea(const QRect& rect, const QList<QRect>& areas);

// Before the first show: the place saved under `clave` when still on a
// screen, else the window's size hint centred in `area` (the primary
// screen's available area when null).
void colocaVentana(QWidget* ventana, const QString& clave, QRect area = {});

// Keeps the window's place under `clave`.
void guardaVentana(const QWidget* ventana, const QString& clave);

} // namespace q42
