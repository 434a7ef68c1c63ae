#pragma once

// Sets `Not_Draw_Only_Prop_Change` for as long as the guard lives, so that
// controls filled meanwhile write nothing into the card objects. On every way
// out, an exception included, the flag is either cleared (a window-wide fill
// that starts and ends the quiet time) or given back its earlier value (a
// fill that may run inside another quiet time and must not end it).

class QuietUpdate
{
public:
    enum class OnExit { Clear, Restore };

    explicit QuietUpdate(OnExit onExit = OnExit::Clear);
    ~QuietUpdate();
    QuietUpdate(const QuietUpdate&) = delete;
    QuietUpdate& operator=(const QuietUpdate&) = delete;

private:
    bool m_after;
};
