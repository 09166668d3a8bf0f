// The game title and the two information messages both windows offer.
#pragma once

#include <string>
#include <string_view>

namespace zumo {

constexpr std::string_view GameTitle = "Zumo or No Zumo";

class MessageSink
{
public:
    virtual ~MessageSink() = default;
    // Modal box titled with the game title, one OK button, plain text.
    virtual void tell(const std::string &prompt) = 0;
};

std::string_view howToPlayText();
std::string_view aboutText();

void ShowHowToPlay(MessageSink &boxes);
void ShowAbout(MessageSink &boxes);

} // namespace zumo
