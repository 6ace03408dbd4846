#include "MesEnPantalla.h"

#include "core/Cifras.h"

#include <algorithm>

namespace declaracion {

using q42::Currency;

namespace {

// Two texts of a box say the same when they read as the same figure at two
// decimals, or, for the text boxes, when they are the same trimmed.
bool mismo(int caja, const QString& a, const QString& b) {
    if (caja == kCajaPeriodo || caja == kCajaObservaciones)
        return a.trimmed() == b.trimmed();
    const auto x = leeCantidad(a);
    const auto y = leeCantidad(b);
    if (x && y)
        return x->rounded(2) == y->rounded(2);
    return a.trimmed() == b.trimmed();
}

// Box of each opening stock: the wheat, then the five products.
constexpr std::array<int, 6> kExistencias = {kCajaPExistencia,          caja(Fila::Existencia, 0),
                                             caja(Fila::Existencia, 1), caja(Fila::Existencia, 2),
                                             caja(Fila::Existencia, 3), caja(Fila::Existencia, 4)};

} // namespace

QString nombreDeExistencia(int c) {
    if (c == kCajaPExistencia)
        return QStringLiteral("trigo");
    for (int p = 0; p < int(kProductos.size()); ++p)
        if (c == caja(Fila::Existencia, p))
            return QString::fromUtf8(kProductos[size_t(p)].tituloFormulas);
    return QString();
}

void MesEnPantalla::cierra() {
    m_periodo.clear();
    m_estado = EstadoMes::Ninguno;
    m_baja = false;
    sinArrastre();
    sinLibros();
    fijaReferencia();
}

void MesEnPantalla::abre(const QString& periodo, EstadoMes estado) {
    m_periodo = periodo.trimmed();
    m_estado = estado;
    m_baja = false;
    sinArrastre();
    sinLibros();
    fijaReferencia();
}

void MesEnPantalla::fijaReferencia() {
    m_referencia = m_cajas;
    m_referenciaAjustes = m_ajustes;
}

void MesEnPantalla::ponCaja(int caja, const QString& texto) {
    if (caja >= 0 && caja < kCajas)
        m_cajas[size_t(caja)] = texto;
}

void MesEnPantalla::ponAjuste(int indice, const QString& texto) {
    if (indice >= 0 && indice < kCuantosAjustes)
        m_ajustes[size_t(indice)] = texto;
}

void MesEnPantalla::ponArrastre(const QString& periodoAnterior,
                                const std::vector<std::pair<int, QString>>& cajas) {
    sinArrastre();
    m_periodoAnterior = periodoAnterior;
    for (const auto& [c, texto] : cajas)
        if (c >= 0 && c < kCajas)
            m_arrastre[size_t(c)] = leeCantidad(texto);
}

void MesEnPantalla::sinArrastre() {
    m_periodoAnterior.clear();
    m_arrastre.fill(std::nullopt);
}

void MesEnPantalla::sinLibros() {
    m_libros.fill(std::nullopt);
    m_comprobantes.fill(0);
}

void MesEnPantalla::ponDeLibros(int caja, Currency valor, int comprobantes) {
    if (caja < 0 || caja >= kCajas)
        return;
    m_libros[size_t(caja)] = valor;
    m_comprobantes[size_t(caja)] = comprobantes;
}

bool MesEnPantalla::comoEnLibros(int caja) const {
    const auto& libros = m_libros.at(size_t(caja));
    const auto enPantalla = leeCantidad(m_cajas.at(size_t(caja)));
    return libros && enPantalla && libros->rounded(2) == enPantalla->rounded(2);
}

bool MesEnPantalla::llenoDeLibros() const {
    return std::any_of(m_libros.begin(), m_libros.end(),
                       [](const auto& v) { return v.has_value(); });
}

std::vector<int> MesEnPantalla::cambiadasAMano() const {
    std::vector<int> out;
    for (int c = 0; c < kCajas; ++c)
        if (m_libros[size_t(c)] && !comoEnLibros(c))
            out.push_back(c);
    return out;
}

QString MesEnPantalla::motivoParaNoGuardar(const QString& periodoEscrito) const {
    const QString valor = periodoEscrito.trimmed();
    if (valor.isEmpty())
        return kMensajePeriodoVacio;
    if (!periodoValido(valor))
        return kMensajePeriodoInvalido;
    if (m_periodo.isEmpty())
        return kMensajeSinDeclaracion;
    if (valor != m_periodo)
        return mensajeOtroPeriodo(valor, m_periodo);
    return QString();
}

bool MesEnPantalla::conCambios() const {
    if (m_estado == EstadoMes::Ninguno)
        return false;
    // The period is the key, not an entry.
    for (int c = 0; c < kCajas; ++c)
        if (c != kCajaPeriodo && !mismo(c, m_cajas[size_t(c)], m_referencia[size_t(c)]))
            return true;
    for (int i = 0; i < kCuantosAjustes; ++i)
        if (m_ajustes[size_t(i)].trimmed() != m_referenciaAjustes[size_t(i)].trimmed())
            return true;
    return false;
}

QString MesEnPantalla::titulo() const {
    if (m_estado == EstadoMes::Ninguno || m_periodo.isEmpty())
        return QString();
    const QString estado = conCambios()                      ? QStringLiteral("con cambios")
                           : m_estado == EstadoMes::Guardado ? QStringLiteral("guardada")
                                                             : QStringLiteral("nueva");
    return m_periodo + QStringLiteral(" — ") + estado;
}

std::vector<CambioDeArrastre> MesEnPantalla::cambiosDeArrastre() const {
    std::vector<CambioDeArrastre> out;
    if (m_estado != EstadoMes::Guardado)
        return out;
    for (int c : kExistencias) {
        const auto& arrastrada = m_arrastre[size_t(c)];
        const auto guardada = leeCantidad(m_referencia[size_t(c)]);
        const auto enPantalla = leeCantidad(m_cajas[size_t(c)]);
        if (!arrastrada || !guardada || !enPantalla)
            continue;
        if (guardada->rounded(2) != arrastrada->rounded(2) &&
            enPantalla->rounded(2) == arrastrada->rounded(2))
            out.push_back({c, guardada->rounded(2), arrastrada->rounded(2)});
    }
    return out;
}

QString MesEnPantalla::avisoDeArrastre() const {
    QStringList partes;
    for (const CambioDeArrastre& c : cambiosDeArrastre())
        partes << QStringLiteral("%1 %2 → %3")
                      .arg(nombreDeExistencia(c.caja), q42::cifraConMiles(c.guardada),
                           q42::cifraConMiles(c.arrastrada));
    if (partes.isEmpty())
        return QString();
    return QStringLiteral("Existencias iniciales tomadas del cierre de %1: %2")
        .arg(m_periodoAnterior, partes.join(QStringLiteral(", ")));
}

std::vector<Hallazgo> MesEnPantalla::hallazgosDeArrastre() const {
    std::vector<Hallazgo> out;
    if (m_estado != EstadoMes::Guardado)
        return out;
    for (const CambioDeArrastre& c : cambiosDeArrastre()) {
        Hallazgo h;
        h.texto = QStringLiteral("Existencia inicial de %1: %2 tomada del cierre de %3 "
                                 "(la grabada es %4)")
                      .arg(nombreDeExistencia(c.caja), q42::cifraConMiles(c.arrastrada),
                           m_periodoAnterior, q42::cifraConMiles(c.guardada));
        h.caja = c.caja;
        h.restaura = m_referencia[size_t(c.caja)];
        out.push_back(h);
    }
    // Half a cent apart is the same two-decimal figure.
    const Currency tolerancia = Currency::fromRaw(50);
    for (int c : kExistencias) {
        const auto& cierre = m_arrastre[size_t(c)];
        const auto enPantalla = leeCantidad(m_cajas[size_t(c)]);
        if (!cierre || !enPantalla)
            continue;
        const Currency diferencia = *enPantalla - *cierre;
        if (diferencia > tolerancia || -diferencia > tolerancia)
            out.push_back(
                {QStringLiteral("Existencia inicial de %1 %2 difiere del cierre de %3 (%4)")
                     .arg(nombreDeExistencia(c), q42::cifraConMiles(enPantalla->rounded(2)),
                          m_periodoAnterior, q42::cifraConMiles(cierre->rounded(2))),
                 c, QString(), QString()});
    }
    return out;
}

} // namespace declaracion
