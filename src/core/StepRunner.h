#pragma once

#include "Error.h"
#include "MsgBox.h"

#include <functional>
#include <vector>

namespace q42 {

// Runs the steps of a routine in order. When a step fails, the handler is
// asked what to do, in the message box's answers: vbRetry runs the same step
// again, vbIgnore goes on with the next one, any other answer leaves the
// routine. One mechanism for every routine that offers the operator retry,
// ignore or abort.
class StepRunner {
public:
    using Step = std::function<void()>;
    using Handler = std::function<int(const Error&)>;

    // True when the routine reached its end (failures retried or skipped),
    // false when the handler chose to leave.
    static bool run(const std::vector<Step>& steps, const Handler& handler);

    // Failures ignored: a failing step is skipped and the next one runs.
    static void runIgnoringFailures(const std::vector<Step>& steps);

    // The error a step raised, as the handlers see it; anything that is not
    // one of ours becomes a generic error with its message.
    static Error toError(std::exception_ptr failure);
};

} // namespace q42
