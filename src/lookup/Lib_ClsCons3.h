#pragma once

// The lookup service: one instance shared by every caller, created on first
// use. The start hands it the connection string and the mask file.

#include <QString>

class Lib_ClsCons3 {
public:
    static Lib_ClsCons3& instance();
    // Discards the shared instance; the next instance() creates a new one.
    static void release();

    Lib_ClsCons3() = default;
    Lib_ClsCons3(const Lib_ClsCons3&) = delete;
    Lib_ClsCons3& operator=(const Lib_ClsCons3&) = delete;

    QString gConnString;
    QString gRutaMascaraConsultas;
    bool gUsarMascarasConsultas = false;
};
