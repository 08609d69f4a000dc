#pragma once

#include <QWidget>

namespace ovant {

// The information and help window. Its pages are still to come; for now it
// shows its title and size, and Escape leaves it.
class InfoWindow final : public QWidget {
    Q_OBJECT
public:
    explicit InfoWindow(QWidget* parent = nullptr);

Q_SIGNALS:
    void left();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ovant
