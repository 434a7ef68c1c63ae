#pragma once

#include "platform/MessagePresenter.h"

// Message boxes as application-modal alert windows.
class AlertMessagePresenter : public MessagePresenter
{
public:
    void showMessage(const QString& text) override;
    void showAlert(const QString& text, const QString& informative) override;
    bool askYesNo(const QString& text) override;
    Answer askYesNoOrCancel(const QString& text) override;
};
