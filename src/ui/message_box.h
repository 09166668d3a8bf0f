// The game's message boxes: modal, no icon, titled with the game title, always plain text.
#pragma once

#include "shell/messages.h"

#include <string>

namespace zumo {

// Each box is a parentless QMessageBox owned by the call, which releases it: a window unloaded
// while the box is open can neither delete it nor be needed by it. Callers guard themselves after
// every call (QPointer), since timers keep firing inside the box's event loop.
class MessageBoxes final : public MessageSink
{
public:
    // One OK button.
    void tell(const std::string &prompt) override;
    // Yes and No, Yes the default; true only for Yes. Escape and closing the box count as No.
    bool askYesNo(const std::string &prompt);
};

} // namespace zumo
