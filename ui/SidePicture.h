#pragma once
#include <QWidget>

// The black left column of the main window: a drawn globe under a magnifying glass
// and the program's name, with room for the status line at the bottom.
class SidePicture : public QWidget {
    Q_OBJECT
public:
    explicit SidePicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
