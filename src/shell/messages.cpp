#include "messages.h"

namespace zumo {

std::string_view howToPlayText()
{
    return "This game is a re-creation of a game show.  In the game you have 25 cases, all with "
           "values ranging from $1,000,000 down to $1, and you are given a chance to pick one case "
           "to be your case for the rest of the game.  After you pick your case, you open other "
           "cases (by clicking on the cases), and after a certain number of cases are opened the "
           "banker will call you with an offer.  The banker will offer a certain amount of money "
           "to "
           "'buy' your case from you, and you get the chance to make the ultimate choice:  "
           "Zumo...or No Zumo.  When there are only two cases left, your case will be opened and "
           "the number inside will indicate how much money you win.";
}

std::string_view aboutText()
{
    return "Zumo or No Zumo was written in 2026 by its small team of founding engineers. It is "
           "dedicated to everyone who ever said no to the banker and lived to tell the tale.";
}

void ShowHowToPlay(MessageSink &boxes)
{
    boxes.tell(std::string(howToPlayText()));
}

void ShowAbout(MessageSink &boxes)
{
    boxes.tell(std::string(aboutText()));
}

} // namespace zumo
