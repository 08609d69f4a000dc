#include "windows/info_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

#include "platform/texts.h"
#include "platform/twips.h"

namespace ovant {

InfoWindow::InfoWindow(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QString::fromUtf8(texts::kInfoTitle));
    const Twips twips;
    setFixedSize(twips.toPixels(9510), twips.toPixels(7155));
}

void InfoWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void InfoWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    Q_EMIT left();
}

void InfoWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

}  // namespace ovant
