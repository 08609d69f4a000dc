// The window paints changed areas in frames and keeps laid-out text, boxes
// and markers between them. What reaches the screen must still be exactly
// what the elements say, after any change.
#include <QPaintEvent>
#include <QPainter>
#include <QtTest>
#include <functional>

#include "elements/element_factory.h"
#include "elements/element_window.h"
#include "support/image_compare.h"

using namespace ovant;

namespace {

constexpr QSize kWindow{400, 300};

struct Scene {
    Element* panel;
    Element* label;
    Element* marker;
    Element* field;  // inside the panel: stars and lines
    Element* rule;
    Element* ship;  // cut to an outline
};

QRegion hull() {
    return QRegion(0, 0, 26, 8) + QRegion(10, 8, 6, 12);
}

// A window that keeps a copy of every area it paints, as the screen would:
// areas no frame repainted keep what they showed before.
class MirroredWindow : public ElementWindow {
public:
    MirroredWindow();
    // Shown, with every paint it asked for done.
    bool shownAndSettled();

    QImage screen{kWindow, QImage::Format_RGB32};
    int paints = 0;
    Scene s;

protected:
    void paintEvent(QPaintEvent* event) override {
        ElementWindow::paintEvent(event);
        QPainter painter(&screen);
        painter.setClipRegion(event->region());
        painter.fillRect(event->rect(), Qt::black);
        tree().paint(painter, event->region());
        ++paints;
    }
};

Scene buildScene(ElementTree& tree) {
    tree.root().setBox(0, 0, kWindow.width() * Twips::kPerPixel,
                       kWindow.height() * Twips::kPerPixel);
    Scene s{};
    s.panel = makePicture(tree, nullptr, QStringLiteral("Panel"), Box{600, 600, 4200, 2400},
                          QColor(20, 20, 60));
    s.label = makeLabel(tree, s.panel, QStringLiteral("Label"), Box{150, 150, 1200, 1500},
                        FontSpec{FontFace::Monitor, 12});
    s.label->setForeColor(QColor(159, 152, 255));
    s.label->setText(QStringLiteral("Omicron Theta Lamda Pass Argus VII"));
    s.marker = makeCircle(tree, s.panel, QStringLiteral("Marker"), Box{3000, 1500, 135, 135});
    s.marker->setOpaque(true);
    s.marker->setBackColor(QColor(255, 152, 0));
    s.field = makePicture(tree, s.panel, QStringLiteral("Field"), Box{1500, 1650, 2400, 600},
                          QColor(0, 0, 40));
    for (int i = 0; i < 12; ++i) {
        s.field->addPoint(StarPoint{150.0 + 180 * i, 60.0 + 37 * i, 1 + i % 3, Qt::white});
    }
    s.rule = makeLine(tree, s.field, QStringLiteral("Rule"), 0, 300, 2400, 300, Qt::yellow);
    makeLine(tree, s.field, QStringLiteral("Post"), 900, 0, 900, 600, Qt::cyan);
    makeLine(tree, s.field, QStringLiteral("Slant"), 0, 0, 2400, 600, Qt::green);
    s.ship = makePicture(tree, nullptr, QStringLiteral("Ship"), Box{4950, 450, 390, 300},
                         QColor(200, 200, 210));
    s.ship->setOutline(hull());
    return s;
}

// The scene as it looks when painted whole from scratch, with nothing kept.
QImage freshRender(const std::function<void(Scene&)>& change) {
    ElementTree tree(Twips(), nullptr);
    Scene s = buildScene(tree);
    if (change) {
        change(s);
    }
    QImage image(kWindow, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    tree.paint(painter, QRegion(QRect(QPoint(0, 0), kWindow)));
    return image;
}

bool waitForPaintsToSettle(MirroredWindow& window) {
    return QTest::qWaitFor([&] {
        if (window.msUntilFrame() >= 0) {
            return false;
        }
        // The frame asked for a paint; it comes with the next events.
        const int before = window.paints;
        QTest::qWait(ElementWindow::kFrameMs);
        return window.paints == before && window.msUntilFrame() < 0;
    });
}

MirroredWindow::MirroredWindow() : ElementWindow(Twips(), nullptr) {
    screen.fill(Qt::darkMagenta);
    coverScreen(QRect(QPoint(0, 0), kWindow));
    s = buildScene(tree());
}

bool MirroredWindow::shownAndSettled() {
    show();
    return QTest::qWaitForWindowExposed(this) && waitForPaintsToSettle(*this);
}

using Change = std::function<void(Scene&)>;

// Whatever the window kept from earlier frames, each of these changes shows
// exactly as the same scene painted from scratch.
const std::pair<const char*, Change> kChanges[] = {
    {"text", [](Scene& s) { s.label->setText(QStringLiteral("Lamenda Prime")); }},
    {"font",
     [](Scene& s) {
         s.label->setFont(FontSpec{FontFace::Narrow, 12});
     }},
    {"alignment", [](Scene& s) { s.label->setAlignment(Qt::AlignRight); }},
    {"wrap", [](Scene& s) { s.label->setWordWrap(false); }},
    {"text colour", [](Scene& s) { s.label->setForeColor(Qt::red); }},
    {"width", [](Scene& s) { s.label->setWidth(3600); }},
    {"container", [](Scene& s) { s.panel->move(1500, 1200); }},
    {"marker colour", [](Scene& s) { s.marker->setBackColor(QColor(0, 200, 90)); }},
    {"scale", [](Scene& s) { s.label->tree().setTwips(Twips(1.2)); }},
    {"hidden panel",
     [](Scene& s) {
         s.panel->hide();
         s.label->setText(QStringLiteral("Lamenda Prime"));
         s.panel->show();
     }},
    {"nested field", [](Scene& s) { s.field->move(300, 1350); }},
    {"star added",
     [](Scene& s) {
         s.field->addPoint(StarPoint{2100, 450, 2, Qt::red});
     }},
    {"rule moved", [](Scene& s) { s.rule->setLine(0, 450, 2400, 450); }},
    {"ship moved", [](Scene& s) { s.ship->move(5100, 900); }},
    {"ship colour", [](Scene& s) { s.ship->setBackColor(Qt::red); }},
    {"ship outline", [](Scene& s) { s.ship->setOutline(QRegion(0, 0, 26, 20) - hull()); }},
};

}  // namespace

class FramesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aStreamOfChangesPaintsAtMostOnceAFrameAndEndsOnTheLastState() {
        MirroredWindow window;
        QVERIFY(window.shownAndSettled());
        // A change every 2 ms, as a ship step, the scanner and the numbers
        // together could make it.
        int changes = 0;
        QTimer stream;
        stream.setTimerType(Qt::PreciseTimer);
        stream.setInterval(2);
        QObject::connect(&stream, &QTimer::timeout, [&] {
            window.s.label->setText(QString::number(++changes));
            if (changes == 150) {
                stream.stop();
            }
        });
        const int paintsBefore = window.paints;
        QElapsedTimer clock;
        clock.start();
        stream.start();
        QVERIFY(QTest::qWaitFor([&] { return changes == 150; }, 20000));
        QVERIFY(waitForPaintsToSettle(window));
        const qint64 elapsed = clock.elapsed();
        const int paints = window.paints - paintsBefore;
        QVERIFY2(paints >= 1, "the changes never reached the screen");
        QVERIFY2(paints <= elapsed / ElementWindow::kFrameMs + 1,
                 qPrintable(QStringLiteral("%1 paints in %2 ms").arg(paints).arg(elapsed)));
        QVERIFY(window.screen ==
                freshRender([](Scene& f) { f.label->setText(QStringLiteral("150")); }));
    }

    // A change after a quiet spell shows at once, one right after a frame
    // waits for the next, and further changes ride along in that frame.
    // While a fast clock runs, its ticks take the frames: a change waits for
    // the next tick instead of waking the program once more, a tick right
    // after a frame takes none, and once the clock stops a change still
    // shows. Ticks are called directly between blocking sleeps, so the
    // real clock never gets a turn while the rule is looked at.
    void framesShowQuietChangesAtOnceAndRideOnARunningClock() {
        MirroredWindow window;
        QVERIFY(window.shownAndSettled());
        QTest::qSleep(ElementWindow::kFrameMs + 5);
        window.s.label->setText(QStringLiteral("Delta Vega"));
        QCOMPARE(window.msUntilFrame(), 0);
        window.flush();
        QCOMPARE(window.msUntilFrame(), -1);
        window.s.label->setText(QStringLiteral("Argus VII"));
        QVERIFY(window.msUntilFrame() > 0 && window.msUntilFrame() <= ElementWindow::kFrameMs);
        window.s.marker->setBackColor(Qt::green);
        QVERIFY(window.msUntilFrame() > 0);
        QVERIFY(waitForPaintsToSettle(window));
        QVERIFY(window.screen == freshRender([](Scene& f) {
                    f.label->setText(QStringLiteral("Argus VII"));
                    f.marker->setBackColor(Qt::green);
                }));

        QTimer clock;
        clock.setTimerType(Qt::PreciseTimer);
        clock.setInterval(10);
        window.rideFramesOn(&clock);
        clock.start();
        const auto tick = [&clock] { QMetaObject::invokeMethod(&clock, "timeout"); };
        QTest::qSleep(ElementWindow::kFrameMs + 5);
        window.s.label->setText(QStringLiteral("Delta Vega"));
        QVERIFY2(window.msUntilFrame() > 0, "a frame of its own while the clock runs");
        QVERIFY(window.msUntilFrame() <= clock.interval() + 2);
        tick();
        QCOMPARE(window.msUntilFrame(), -1);
        window.s.label->setText(QStringLiteral("Argus VII"));
        tick();
        QVERIFY2(window.msUntilFrame() >= 0, "a tick right after a frame took another");
        QTest::qSleep(ElementWindow::kFrameMs - 3);
        tick();
        QCOMPARE(window.msUntilFrame(), -1);
        window.s.marker->setBackColor(Qt::cyan);
        clock.stop();
        QVERIFY(waitForPaintsToSettle(window));
        QVERIFY(window.screen == freshRender([](Scene& f) {
                    f.label->setText(QStringLiteral("Argus VII"));
                    f.marker->setBackColor(Qt::cyan);
                }));
    }

    // The root covers the window in its own colour; where it does not reach,
    // or while it is hidden, the window shows black.
    void whatTheRootLeavesUncoveredIsBlack() {
        ElementWindow window(Twips(), nullptr);
        window.coverScreen(QRect(QPoint(0, 0), kWindow));
        window.root().setBackColor(QColor(0, 0, 90));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Painted over a colour that no element has.
        const auto shown = [&window](QPoint at) {
            QImage image(kWindow, QImage::Format_RGB32);
            image.fill(Qt::magenta);
            window.render(&image);
            return image.pixelColor(at);
        };
        QCOMPARE(shown({300, 200}), QColor(0, 0, 90));
        window.root().setBox(0, 0, 3000, 3000);
        QCOMPARE(shown({100, 100}), QColor(0, 0, 90));
        QCOMPARE(shown({300, 200}), QColor(Qt::black));
        window.root().setBox(0, 0, kWindow.width() * 15, kWindow.height() * 15);
        window.root().hide();
        QCOMPARE(shown({100, 100}), QColor(Qt::black));
    }

    void everyChangeReachesTheScreen_data() {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kChanges)); ++i) QTest::newRow(kChanges[i].first) << i;
    }
    void everyChangeReachesTheScreen() {
        QFETCH(int, row);
        const Change& change = kChanges[row].second;
        MirroredWindow window;
        QVERIFY(window.shownAndSettled());
        QVERIFY(window.screen == freshRender(nullptr));
        const int before = window.paints;
        change(window.s);
        QVERIFY(waitForPaintsToSettle(window));
        QVERIFY(window.paints > before);
        const QImage expected = freshRender(change);
        QVERIFY(expected != freshRender(nullptr));
        // A moved container's labels copy their text from images.
        QVERIFY(testing::looksTheSame(window.screen, expected));
    }
};

QTEST_MAIN(FramesTest)
#include "frames_test.moc"
