#pragma once

// The command bar of a data-entry form: eight buttons, each reported by its
// key ("NUEVO" ... "CERRAR") and each with its own enable switch.

#include <QHash>
#include <QString>
#include <QWidget>

class QToolButton;

namespace q42 {

class PanelBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool nuevoenabled READ nuevoenabled WRITE setNuevoenabled)
    Q_PROPERTY(bool borrarenabled READ borrarenabled WRITE setBorrarenabled)
    Q_PROPERTY(bool reporteenabled READ reporteenabled WRITE setReporteenabled)
    Q_PROPERTY(bool consultaenabled READ consultaenabled WRITE setConsultaenabled)
    Q_PROPERTY(bool planillaenabled READ planillaenabled WRITE setPlanillaenabled)
    Q_PROPERTY(bool cancelarenabled READ cancelarenabled WRITE setCancelarenabled)
    Q_PROPERTY(bool grabarenabled READ grabarenabled WRITE setGrabarenabled)
    Q_PROPERTY(bool cerrarenabled READ cerrarenabled WRITE setCerrarenabled)
    Q_PROPERTY(int StyleBar READ StyleBar WRITE setStyleBar)

public:
    explicit PanelBar(QWidget* parent = nullptr);

    // The keys in the order of the buttons.
    static QStringList claves();

    // Whether the button of the key is switched on (false for unknown keys).
    bool habilitado(const QString& clave) const;
    void setHabilitado(const QString& clave, bool on);
    QToolButton* boton(const QString& clave) const;

    bool nuevoenabled() const { return habilitado(QStringLiteral("NUEVO")); }
    void setNuevoenabled(bool on) { setHabilitado(QStringLiteral("NUEVO"), on); }
    bool borrarenabled() const { return habilitado(QStringLiteral("BORRAR")); }
    void setBorrarenabled(bool on) { setHabilitado(QStringLiteral("BORRAR"), on); }
    bool reporteenabled() const { return habilitado(QStringLiteral("REPORTE")); }
    void setReporteenabled(bool on) { setHabilitado(QStringLiteral("REPORTE"), on); }
    bool consultaenabled() const { return habilitado(QStringLiteral("CONSULTAR")); }
    void setConsultaenabled(bool on) { setHabilitado(QStringLiteral("CONSULTAR"), on); }
    bool planillaenabled() const { return habilitado(QStringLiteral("PLANILLA")); }
    void setPlanillaenabled(bool on) { setHabilitado(QStringLiteral("PLANILLA"), on); }
    bool cancelarenabled() const { return habilitado(QStringLiteral("CANCELAR")); }
    void setCancelarenabled(bool on) { setHabilitado(QStringLiteral("CANCELAR"), on); }
    bool grabarenabled() const { return habilitado(QStringLiteral("GRABAR")); }
    void setGrabarenabled(bool on) { setHabilitado(QStringLiteral("GRABAR"), on); }
    bool cerrarenabled() const { return habilitado(QStringLiteral("CERRAR")); }
    void setCerrarenabled(bool on) { setHabilitado(QStringLiteral("CERRAR"), on); }

    // 0 raised buttons, any other value flat ones.
    int StyleBar() const { return m_estilo; }
    void setStyleBar(int estilo);

    // The form passes every key it previews: raises ButtonClick for the
    // key's button when that button is switched on, and tells whether the
    // key was taken.
    bool KeyDown(int keyCode, Qt::KeyboardModifiers shift);

Q_SIGNALS:
    void ButtonClick(const QString& key);

private:
    bool pulsa(const QString& clave);
    QHash<QString, QToolButton*> m_botones;
    QHash<QString, bool> m_encendidos;
    int m_estilo = 0;
};

} // namespace q42
