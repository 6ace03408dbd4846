// Fixed rows of the demo business database: a wheat flour mill in the south
// of Santa Fe, its configuration, users, code tables, customers and suppliers.

#include "demo/DemoSchema.h"

namespace demo {

namespace {

struct Articulo {
    const char* codigo;
    const char* descripcion;
    const char* familia;
    const char* rubro;
    const char* tipo;
    const char* unidad;
    const char* puntoPedido;
    const char* stock;
    double precio; // list price per unit; the eight classes derive from it
    int suspendido;
};

// Stock against reorder point covers the four colours of the list dialog:
// no reorder point with stock, above it, below it, and neither.
const Articulo kArticulos[] = {
    {"1", "HARINA DE TRIGO 000", "0101", "01", "PT", "KG", "50000", "182350", 452.5, 0},
    {"2", "HARINA DE TRIGO 0000", "0101", "01", "PT", "KG", "20000", "12500", 518.9, 0},
    {"3", "HARINA 0000 LEUDANTE", "0102", "01", "PT", "KG", "0", "3200", 689.0, 0},
    {"4", "HARINA INTEGRAL", "0102", "01", "PT", "KG", "5000", "5000", 610.0, 0},
    {"5", "AFRECHO", "0201", "02", "SP", "KG", "0", "0", 118.0, 0},
    {"6", "AFRECHILLO", "0201", "02", "SP", "KG", "30000", "41200", 131.5, 0},
    {"7", "PELLET DE AFRECHILLO", "0202", "02", "SP", "KG", "40000", "95300", 142.0, 0},
    {"8", "GERMEN DE TRIGO", "0203", "02", "SP", "KG", "2000", "850", 390.0, 0},
    {"9", "SEMOLIN", "0103", "01", "PT", "KG", "3000", "7400", 575.0, 0},
    {"10", "TRIGO PAN", "0301", "03", "MP", "KG", "2000000", "3150000", 236.0, 0},
    {"11", "BOLSA DE PAPEL 50 KG", "0401", "04", "IN", "UN", "5000", "3800", 410.0, 0},
    {"12", "HARINILLA", "0201", "02", "SP", "KG", "0", "-150", 125.0, 0},
    {"13", "PREMEZCLA VITAMINICA (HIERRO Y ACIDO FOLICO)", "0402", "04", "IN", "KG", "200", "460",
     9800.0, 0},
    {"14", "RESIDUO DE LIMPIEZA", "05", "05", "RS", "KG", "0", "1200", 35.0, 0},
    {"15", "HARINA 000 X 1 KG (DISCONTINUADA)", "0102", "01", "PT", "UN", "0", "0", 720.0, 1},
    {"16", "HILO PARA COSER BOLSAS", "0401", "04", "IN", "UN", "50", "120", 8300.0, 0},
};

// Price classes relative to the list price (class 1 is the list price).
const double kClases[8] = {1.0, 1.18, 1.08, 0.95, 0.92, 0.97, 1.05, 1.0};

std::vector<QString> articulos() {
    std::vector<QString> rows;
    for (const Articulo& a : kArticulos) {
        QStringList f{QLatin1String(a.codigo),      QLatin1String(a.descripcion),
                      QLatin1String(a.familia),     QLatin1String(a.rubro),
                      QLatin1String(a.tipo),        QLatin1String(a.unidad),
                      QLatin1String(a.puntoPedido), QLatin1String(a.stock)};
        for (double k : kClases)
            f << QString::number(qRound64(a.precio * k * 100) / 100.0, 'f', 2);
        f << QString::number(a.suspendido) << QStringLiteral("0");
        rows.push_back(f.join(QLatin1Char('|')));
    }
    return rows;
}

std::vector<FixedRows> build() {
    return {
        {"TA_CONFIGURACION",
         {"NOMBRE|Molino Harinero San Martín S.A.|",
          "CALLE|Av. Presidente Perón|",
          "NUMERO|2450|",
          "LOCALIDAD|Venado Tuerto|",
          "PROVINCIA|Santa Fe|",
          "CUIT|30-71234567-1|",
          "SAGPYA|M-4527|Registro de molinos harineros",
          "MostrarStockenConsultas|SI|",
          "Stk_Nivel1|16711680|~",
          "Stk_Nivel2|32768|~",
          "Stk_Nivel3|255|~",
          "Stk_Nivel4|8421504|~",
          "UsaConsultaLike|NO|",
          "TopConsArt|1000|",
          "NOM_PCLASE1|Lista|",
          "NOM_PCLASE2|Minorista|",
          "NOM_PCLASE3|Panaderías|",
          "NOM_PCLASE4|Distribuidores|",
          "NOM_PCLASE5|Industria|",
          "NOM_PCLASE6|Contado|",
          "NOM_PCLASE7|Cta. Cte. 30 días|",
          "NOM_PCLASE8|Exportación|"}},
        {"TA_USUARIOS",
         {"admin|Administrador del sistema|1|sistemas@molinosanmartin.com.ar",
          "operador|Operador de planta|0|planta@molinosanmartin.com.ar"}},
        // ID 0 is the program's own open record; 15 belongs to another program.
        {"CONTROL_ACCESO",
         {"0|admin|ADMINISTRACION-01|Q42|2025-07-01 08:12:00|~",
          "11|operador|BALANZA-02|STOCK|2025-06-27 07:58:00|2025-06-27 16:03:00",
          "12|admin|ADMINISTRACION-01|Q42|2025-06-28 09:30:00|2025-06-28 10:15:00",
          "13|operador|BALANZA-02|STOCK|2025-06-30 07:55:00|2025-06-30 15:47:00",
          "14|admin|ADMINISTRACION-01|VENTAS|2025-06-30 08:20:00|2025-06-30 18:02:00",
          "15|operador|BALANZA-02|STOCK|2025-07-01 07:50:00|~"}},
        {"TA_Cpte",
         {"FA|Factura A|VENTAS|-1", "FB|Factura B|VENTAS|-1", "NCA|Nota de Crédito A|VENTAS|1",
          "FCA|Factura de Compra A|COMPRAS|1", "RC|Remito de Compra|COMPRAS|1",
          "FE|Factura de Exportación E|VENTAS|-1", "DC|Devolución a Proveedor|COMPRAS|-1",
          "PRD|Parte de Producción|PRODUCCION|1", "EI|Existencia Inicial|STOCK|0",
          "TRI|Transferencia entre Depósitos|STOCK|0", "AJS|Ajuste de Stock|STOCK|0"}},
        // Article 4 has no equivalence, article 8 none for its bags; article
        // 12's unit was typed in mixed case, as the server's collation allows.
        {"S_TA_EQUIV",
         {"1|KG|TON|1000", "1|BOL50|TON|20", "1|KG|BOL50|50", "1|BOL50|KG|0.02", "2|KG|TON|1000",
          "2|BOL50|TON|20", "2|BOL25|TON|40", "3|KG|TON|1000", "5|KG|TON|1000", "6|KG|TON|1000",
          "6|BOL50|TON|20", "7|KG|TON|1000", "8|KG|TON|1000", "9|KG|TON|1000", "9|BOL50|TON|20",
          "10|KG|TON|1000", "12|KG|Ton|1000", "14|KG|TON|1000"}},
        {"MA_ARTICULOS", articulos()},
        {"MA_CLIENTES",
         {"0001|0|Panadería La Espiga de Oro|Mario Benítez|20-14567890-3|San Martín 845|Venado "
          "Tuerto|Santa Fe|03462-421890|01|0",
          "0002|0|Panificadora El Trigal S.R.L.|Claudia Rossi|30-70845123-6|Belgrano 1520|Rufino|"
          "Santa Fe|03382-427711|01|0",
          "0003|0|Distribuidora Rufino S.A.|Oscar Medina|30-68912345-0|Ruta 7 km 402|Rufino|"
          "Santa Fe|03382-429000|01|0",
          "0004|0|Supermercados del Sur S.A.|Compras|30-50123456-7|Córdoba 3100|Rosario|"
          "Santa Fe|0341-4405500|02|0",
          "0005|0|Fábrica de Pastas Don Nicola|Nicolás Greco|20-22345678-9|Mitre 410|Casilda|"
          "Santa Fe|03464-422310|02|0",
          "0006|0|Confitería La Perla|Estela Ruiz|27-18765432-1|Bv. Oroño 1290|Rosario|"
          "Santa Fe|0341-4256677|02|0",
          "0007|0|Panadería San Cayetano|José Ferreira|20-25678901-4|Av. Santa Fe 2210|Firmat|"
          "Santa Fe|03465-421144|01|0",
          "0008|0|Alimentos Pampeanos S.A.|Lucía Ortiz|30-71122334-5|Parque Industrial lote 12|"
          "Pergamino|Buenos Aires|02477-431200|05|0",
          "0009|0|Cooperativa Agrícola Ganadera de Firmat Ltda.|Sección forrajes|30-52345678-1|"
          "Bv. Colón 1050|Firmat|Santa Fe|03465-422000|01|0",
          "0010|0|Feedlot Los Aromos S.A.|Pablo Castro|30-69876543-2|Ruta 33 km 640|Rufino|"
          "Santa Fe|03382-15470011|01|0",
          "0011|0|Tambo La Holanda|Hans Visser|20-16543210-8|Zona rural|Marcos Juárez|Córdoba|"
          "03472-425566|03|0",
          "0012|0|Mayorista Rosario Alimentos S.R.L.|Federico Luna|30-71456789-4|Av. "
          "Circunvalación "
          "5600|Rosario|Santa Fe|0341-4567890|02|0",
          "0013|0|Galletitas del Litoral S.A.|Planta Santa Fe|30-50987654-3|Ruta 11 km 462|Santa "
          "Fe|Santa Fe|0342-4601234|02|0",
          "0014|0|PANADERÍA MARTÍNEZ|Rubén Martínez|20-30123456-5|Laprida 77|Villa María|Córdoba|"
          "0353-4523311|03|0",
          "0015|0|Distribuidora O'Higgins S.R.L.|Marcela Díaz|30-70567890-8|O'Higgins 1402|Río "
          "Cuarto|Córdoba|0358-4648800|03|0",
          "0016|0|Pizzería Nápoles|Carlos Esposito|20-17654321-0|España 560|Junín|Buenos Aires|"
          "0236-4431122|04|1",
          "0017|0|Pastas Frescas La Nonna|Graciela Bruno|27-23456789-2|Rivadavia 2930|Buenos "
          "Aires|CABA|011-49581234|04|0",
          "0018|0|Molienda y Panificación Sur S.A.|Compras|30-71890123-9|Ruta 8 km 370|Venado "
          "Tuerto|Santa Fe|03462-437700|01|0",
          // Customers abroad: the export invoices go to them.
          "E001|0|Comercial Andina de Harinas S.R.L.|Jorge Quispe|55-00000001-0|Av. Cristo "
          "Redentor "
          "4100|Santa Cruz de la Sierra|Bolivia|+591-3-3421100|05|0",
          "E002|0|Molinos del Paraguay S.A.|Compras|55-00000002-9|Ruta 2 km 18|Capiatá|"
          "Paraguay|+595-21-588200|05|0"}},
        {"MA_PROVEEDORES",
         {"P001|Acopiadora Pampa Húmeda S.A.|Sergio Vidal|30-64567890-1|Ruta 8 km 365|Venado "
          "Tuerto|Santa Fe|03462-430100|0",
          "P002|Cooperativa Agrícola de Firmat Ltda.|Acopio|30-52345678-1|Bv. Colón 1050|Firmat|"
          "Santa Fe|03465-422000|0",
          "P003|Cerealera Maggiolo S.R.L.|Andrés Paoli|30-70234567-3|Rivadavia 300|Maggiolo|"
          "Santa Fe|03462-494011|0",
          "P004|Papelera del Plata S.A.|Ventas industria|30-50234567-8|Av. Mosconi 2300|Buenos "
          "Aires|CABA|011-45012200|0",
          "P005|Premezclas Nutrar S.A.|Soporte técnico|30-71345678-2|Parque Industrial|Pilar|"
          "Buenos Aires|0230-4471100|0",
          "P006|Repuestos Molineros S.R.L.|Diego Farías|30-68543210-6|Maipú 1720|Rosario|Santa "
          "Fe|0341-4308899|0",
          "P007|Electricidad Industrial Venado|Ricardo Sosa|20-21987654-7|Italia 955|Venado "
          "Tuerto|Santa Fe|03462-425252|0",
          "P008|Agro Teodelina S.R.L.|Marta Giménez|30-70987654-4|Sarmiento 12|Teodelina|Santa "
          "Fe|03462-491010|1"}},
        {"MA_TRANSPORTES",
         {"T01|Transportes Ruta 8 S.R.L.|30-71011223-4|03462-438800",
          "T02|Logística Sur Santafesino S.A.|30-70122334-5|0341-4632210",
          "T03|Fletes Rufino de Omar Pérez|20-20111222-3|03382-15402233"}},
        {"MA_CONTACTOS",
         {"C01|Panadería La Espiga de Oro|Mario Benítez|San Martín 845|Venado Tuerto|03462-421890|"
          "espigadeoro@gmail.com",
          "C02|Supermercados del Sur S.A.|Verónica Lagos|Córdoba 3100|Rosario|0341-4405512|"
          "compras@superdelsur.com.ar",
          "C03|Acopiadora Pampa Húmeda S.A.|Sergio Vidal|Ruta 8 km 365|Venado Tuerto|"
          "03462-430100|svidal@pampahumeda.com.ar",
          "C04|Feedlot Los Aromos S.A.|Pablo Castro|Ruta 33 km 640|Rufino|03382-15470011|~",
          "C05|Distribuidora O'Higgins S.R.L.|Marcela Díaz|O'Higgins 1402|Río Cuarto|"
          "0358-4648800|mdiaz@ohiggins.com.ar",
          "C06|Papelera del Plata S.A.|Gabriel Núñez|Av. Mosconi 2300|Buenos Aires|011-45012200|"
          "gnunez@papeleradelplata.com.ar"}},
        {"V_TA_VENDEDORES",
         {"01|Gustavo Ferreyra|Sur de Santa Fe|2.5|0", "02|Laura Bianchi|Rosario|2.5|0",
          "03|Raúl Domínguez|Córdoba|3|0", "04|Silvia Acosta|Buenos Aires|2|0",
          "05|Héctor Paz|Noroeste bonaerense|2|1"}},
        {"V_TA_TECNICOS",
         {"01|Jorge Sosa|Molinero jefe|03462-15501122", "02|Daniel Ríos|Electricista|~",
          "03|Marcelo Funes|Mecánico|03462-15533441", "04|Ana Quiroga|Laboratorio de calidad|~"}},
        {"V_MA_MANTENIMIENTOS",
         {"M001|Estriado de cilindros del banco 1|03|0201|180|2025-03-10 00:00:00",
          "M002|Limpieza de tamices de plansichter|01|0202|30|2025-06-15 00:00:00",
          "M003|Calibración de balanza de camiones|02|0302|90|2025-05-02 00:00:00",
          "M004|Revisión de compresores|02|0401|60|2025-06-01 00:00:00",
          "M005|Cambio de telas de sasores|01|0203|120|2025-04-20 00:00:00",
          "M006|Lubricación de embolsadora|03|0301|15|2025-06-25 00:00:00"}},
        {"V_MV_FALTANTES", {"1|2025-06-12 10:41:00|2|HARINA DE TRIGO 0000|operador"}},
        {"V_TA_FAMILIAS",
         {"01|Harinas|0", "0101|Harinas panaderas|0", "0102|Harinas especiales|0", "0103|Sémolas|0",
          "02|Subproductos|0", "0201|Afrechos y afrechillos|0", "0202|Pellets|0", "0203|Germen|0",
          "03|Materias primas|1", "0301|Trigo|1", "04|Insumos|0", "0401|Envases|0",
          "0402|Aditivos|0", "05|Residuos|0"}},
        {"MA_POSICIONES",
         {"01|Limpieza y acondicionamiento", "0101|Zaranda de prelimpieza", "0102|Despuntadora",
          "0103|Acondicionado del trigo", "02|Molienda", "0201|Bancos de cilindros",
          "0202|Plansichters", "0203|Sasores", "03|Envasado y expedición", "0301|Embolsadora",
          "0302|Balanza y carga a granel", "04|Servicios", "0401|Compresores",
          "0402|Subestación eléctrica"}},
        {"TA_CCOSTO",
         {"01|Producción", "0101|Molienda", "0102|Mantenimiento", "0103|Laboratorio",
          "02|Comercialización", "0201|Ventas", "0202|Logística y fletes", "03|Administración",
          "0301|Contaduría", "0302|Recursos humanos"}},
        {"V_TA_Bancos",
         {"011|Banco de la Nación Argentina", "014|Banco de la Provincia de Buenos Aires",
          "330|Nuevo Banco de Santa Fe", "191|Banco Credicoop", "007|Banco de Galicia",
          "285|Banco Macro"}},
        {"V_TA_MotivoVta", {"01|Venta normal", "02|Bonificación", "03|Muestra sin cargo"}},
        {"V_TA_MotivoCpra", {"01|Compra de trigo", "02|Insumos", "03|Repuestos"}},
        {"V_TA_Deposito",
         {"01|Planta Venado Tuerto|0", "02|Depósito Rufino|0", "03|Silos de acopio|0",
          "09|Depósito fiscal|1"}},
        {"V_TA_Tareas", {"01|Molienda", "02|Limpieza", "03|Embolsado", "04|Carga de camiones"}},
        {"V_TA_Unidad",
         {"KG|Kilogramos", "TON|Toneladas", "BOL50|Bolsa de 50 kg", "BOL25|Bolsa de 25 kg",
          "UN|Unidad", "LT|Litros"}},
        {"V_TA_TipoArticulo",
         {"PT|Producto terminado", "SP|Subproducto", "MP|Materia prima", "IN|Insumo",
          "RS|Residuo"}},
        {"V_TA_Rubros",
         {"01|Harinas", "02|Subproductos", "03|Cereales", "04|Envases e insumos", "05|Residuos"}},
        {"V_TA_MotivoStock",
         {"01|Merma", "02|Rotura de bolsas", "03|Diferencia de inventario",
          "04|Muestras de laboratorio"}},
        {"V_TA_CPRA_VTA",
         {"01|Contado", "02|Cuenta corriente 30 días", "03|Cuenta corriente 60 días",
          "04|Cheque diferido"}},
        {"V_TA_CATEGORIA",
         {"RI|Responsable inscripto", "MT|Monotributista", "EX|Exento", "CF|Consumidor final"}},
        {"V_TA_DESTINO", {"01|Mercado interno", "02|Exportación"}},
        {"V_TA_ORIGEN", {"01|Producción propia", "02|Compra a terceros", "03|Molienda a fasón"}},
        {"V_TA_RETENCIONES",
         {"IB|Ingresos Brutos Santa Fe|2.5", "GAN|Impuesto a las Ganancias|2",
          "IVA|Retención de IVA|10.5"}},
        {"TA_Categoria",
         {"RI|Responsable inscripto", "MT|Monotributista", "EX|Exento", "CF|Consumidor final"}},
        {"TA_Deposito",
         {"01|Planta Venado Tuerto", "02|Depósito Rufino", "03|Silos de acopio",
          "09|Depósito fiscal"}},
        {"TA_MotivoStock",
         {"01|Merma", "02|Rotura de bolsas", "03|Diferencia de inventario",
          "04|Muestras de laboratorio"}},
        {"TA_TipoArticulo",
         {"PT|Producto terminado", "SP|Subproducto", "MP|Materia prima", "IN|Insumo",
          "RS|Residuo"}},
        {"TA_Rubros",
         {"01|Harinas", "02|Subproductos", "03|Cereales", "04|Envases e insumos", "05|Residuos"}},
        {"TA_CPRA_VTA",
         {"01|Contado", "02|Cuenta corriente 30 días", "03|Cuenta corriente 60 días"}},
        {"TA_MONEDAS",
         {"1|ARS|Peso argentino|1", "2|USD|Dólar estadounidense|1180.5", "3|EUR|Euro|1275.25"}},
        {"MA_RUBROS",
         {"01|Harinas", "02|Subproductos", "03|Cereales", "04|Envases e insumos", "05|Residuos"}},
        {"MA_MODELOS",
         {"Scania R450|Scania", "Iveco Stralis 460|Iveco",
          "Mercedes-Benz 1634|"
          "Mercedes-Benz"}},
        {"MA_CHOFERES",
         {"01|Gómez|Walter Omar|22456789", "02|Peralta|Luis Alberto|25678123",
          "03|Bustos|Nicolás|31234987"}},
        {"MA_DESTINATARIOS",
         {"01|Planta Galletitas del Litoral|Ruta 11 km 462, Santa Fe",
          "02|Depósito Supermercados del Sur|Córdoba 3100, Rosario"}},
        {"MA_VEHICULOS",
         {"AB123CD|Scania R450|01", "AC456EF|Iveco Stralis 460|02",
          "KLM789|Mercedes-Benz 1634|03"}},
        {"MV_EJERCICIOS",
         {"2023|Ejercicio 2023|2023-01-01 00:00:00|2023-12-31 00:00:00",
          "2024|Ejercicio 2024|2024-01-01 00:00:00|2024-12-31 00:00:00",
          "2025|Ejercicio 2025|2025-01-01 00:00:00|2025-12-31 00:00:00"}},
        {"V_MA_PRECIOSCAB",
         {"1|Lista", "2|Minorista", "3|Panaderías", "4|Distribuidores", "5|Industria", "6|Contado",
          "7|Cta. Cte. 30 días", "8|Exportación"}},
        {"MA_CUENTAS",
         {"1.1.01|Caja|1|0", "1.1.02|Bancos|1|0", "1.1.03|Deudores por ventas|1|0",
          "2.1.01|Proveedores|1|0", "4.1.01|Ventas de harinas|1|0",
          "4.1.02|Ventas de subproductos|1|0", "5.1.01|Compras de trigo|1|0",
          "5.2.01|Sueldos y jornales|1|1", "5.2.02|Honorarios de directorio|1|1"}},
        {"MV_ASIENTOS",
         {"1|2025-06-02 00:00:00|101|1.1.03|Ventas del día|1250400|0",
          "2|2025-06-02 00:00:00|101|4.1.01|Ventas del día|0|1250400",
          "3|2025-06-05 00:00:00|102|5.1.01|Compra de trigo Pampa Húmeda|6608000|0",
          "4|2025-06-05 00:00:00|102|2.1.01|Compra de trigo Pampa Húmeda|0|6608000",
          "5|2025-06-30 00:00:00|103|5.2.01|Sueldos de junio|18450000|0",
          "6|2025-06-30 00:00:00|103|1.1.02|Sueldos de junio|0|18450000",
          "7|2025-06-30 00:00:00|104|5.2.02|Honorarios de directorio|3200000|0",
          "8|2025-06-30 00:00:00|104|1.1.02|Honorarios de directorio|0|3200000"}},
        {"V_TA_CAJAS", {"01|Caja administración|0", "02|Caja planta|0", "03|Caja directorio|1"}},
        {"AC_CUENTASDIARIO",
         {"1.1.01|Caja|0", "1.1.02|Bancos|0", "5.1.01|Compras de trigo|0",
          "5.2.01|Sueldos y jornales|1"}},
        {"AC_CUENTASDIARIO_CCOSTO",
         {"1.1.01|0301|100", "5.1.01|0101|100", "5.2.01|0101|60", "5.2.01|0102|40"}},
    };
}

} // namespace

const std::vector<FixedRows>& fixedRows() {
    static const std::vector<FixedRows> rows = build();
    return rows;
}

} // namespace demo
