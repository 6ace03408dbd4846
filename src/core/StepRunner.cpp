#include "StepRunner.h"

namespace q42 {

Error StepRunner::toError(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Error& e) {
        return e;
    } catch (const std::exception& e) {
        return Error(51, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return Error(51, QStringLiteral("Error interno"));
    }
}

bool StepRunner::run(const std::vector<Step>& steps, const Handler& handler) {
    for (std::size_t i = 0; i < steps.size();) {
        try {
            steps[i]();
            ++i;
        } catch (...) {
            const int answer = handler(toError(std::current_exception()));
            if (answer == vbRetry)
                continue;
            if (answer == vbIgnore) {
                ++i;
                continue;
            }
            return false;
        }
    }
    return true;
}

void StepRunner::runIgnoringFailures(const std::vector<Step>& steps) {
    run(steps, [](const Error&) { return vbIgnore; });
}

} // namespace q42
