#pragma once

#include <QString>

// Shows `text` with Show_MessageBox once the GUI thread's event loop next
// runs, and returns at once. Reports that arise while something is being
// drawn go this way: a modal box must never run inside a paint or a render.
// Without an application object the text is only logged.
void showMessageBoxLater(const QString& text);
