#include "framework/Handler.h"

#include "framework/Exceptions.h"
#include "platform/Platform.h"

#include <new>

namespace pvstim {

bool runHandler(const std::function<void()>& handler)
{
    if (!handler)
        return true;
    try {
        handler();
        return true;
    } catch (const Exception& e) {
        platform().showError(e.message());
    } catch (const std::bad_alloc&) {
        platform().showError(QStringLiteral("Out of memory"));
    } catch (const std::exception& e) {
        platform().showError(QString::fromUtf8(e.what()));
    } catch (...) {
        platform().showError(QStringLiteral("Unknown error"));
    }
    return false;
}

}  // namespace pvstim
