#pragma once

// A slow step (opening the connection) run off the interface thread while
// a small window tells what is awaited and for how long; the interface
// keeps painting. The window only appears when the step outlasts `demora`,
// so an instant open flashes nothing.

#include <QString>
#include <chrono>
#include <functional>

namespace q42 {

// Runs `paso` on a worker thread and returns when it ends, rethrowing here
// whatever it threw. Meanwhile only this thread's timers and paints run, no
// input: nothing else can reach what `paso` is using. The window is named
// "Conectando" and captioned with `texto`.
void esperaConVentana(const QString& texto, const std::function<void()>& paso,
                      std::chrono::milliseconds demora = std::chrono::milliseconds(300));

} // namespace q42
