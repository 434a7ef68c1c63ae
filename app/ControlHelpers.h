#pragma once

class QWidget;

// Enables or disables a control. Disabling a widget also disables (and greys)
// every control inside it, labels and text fields included, so a group box
// passes the state on to the controls it holds. Nothing happens for nullptr.
void SetObjEnabled(QWidget* control, bool enabled);
