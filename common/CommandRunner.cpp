#include "common/CommandRunner.h"

#include <exception>
#include <new>

#include "common/ApplicationTitle.h"
#include "common/CommandErrors.h"

bool RunCommand(MessageSink& messages, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const CommandAbort& abort) {
        messages.ShowPlainMessage(abort.what());
    } catch (const CommandError& error) {
        messages.ShowErrorMessage(WithClosingFullStop(error.what()));
    } catch (const std::bad_alloc&) {
        messages.ShowErrorMessage("Out of memory.");
    } catch (const std::exception& unexpected) {
        messages.ShowErrorMessage(WithClosingFullStop(unexpected.what()));
    }
    return false;
}
