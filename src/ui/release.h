// Windows and boxes the program is done with, and what assistive technology hears of them.
#pragma once

class QWidget;

namespace zumo {

// While one lives, assistive technology hears nothing of what the program's widgets do: for
// widgets it must never know of, and for the deletion of those whose going it has heard.
class Unheard
{
public:
    Unheard();
    ~Unheard();
    Unheard(const Unheard &) = delete;
    Unheard &operator=(const Unheard &) = delete;
};

// Has assistive technology told of each focus change once, where Qt would tell of some twice
// (Windows). Before any window exists: an Unheard puts back the handler it found.
void hearEachFocusOnce();

// Deletes widget, hidden and done with, from the event loop, as deleteLater() does. While
// assistive technology listens, only once it has had the time to hear of the hiding, and
// unheard: a screen reader asks after what the events in its queue name, seconds later when
// busy, and neither learns anything from a widget that is gone nor should make Qt warn of it.
void release(QWidget &widget);

// Deletes at once what release() still holds back; for the end of the program.
void releaseAll();

} // namespace zumo
