#pragma once
#include <QWidget>

class TMisc1;

// The main window.
class TMainForm : public QWidget {
    Q_OBJECT
public:
    explicit TMainForm(TMisc1* engine, QWidget* parent = nullptr);

private:
    TMisc1* engine_;
};
