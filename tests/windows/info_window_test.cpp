// The info window: its pages coming and going, its sounds, leaving it in the
// middle of a build-up, where it lies on the screen, and whether its help
// marks point at the console's real parts.
#include <QtTest>
#include <functional>
#include <memory>

#include "elements/picture_store.h"
#include "elements/text_layout.h"
#include "platform/sound/sound_effects.h"
#include "support/console_rig.h"
#include "support/recording_sound_player.h"
#include "support/scripted_random.h"
#include "support/text_needs.h"
#include "windows/info_window.h"

using namespace ovant;
using info::Page;

namespace {

struct InfoRig {
    RecordingSoundPlayer player;
    SoundEffects sounds{player, QStringLiteral(OVANT_SOUND_DIR)};
    testing::ScriptedRandom random{{0.5}};
    PictureStore pictures;
    int ended = 0;
    double aniSpeed = 0;
    std::unique_ptr<InfoWindow> window;

    explicit InfoRig(InfoWindow::Opening opening = InfoWindow::Opening::Alone,
                     QRect screen = QRect(0, 0, 1024, 768)) {
        InfoWindow::Setup s;
        s.opening = opening;
        s.screen = screen;
        s.sounds = &sounds;
        s.random = &random;
        s.aniSpeed = [this] { return aniSpeed; };
        s.endProgram = [this] { ++ended; };
        window = std::make_unique<InfoWindow>(Twips{}, &pictures, s);
    }

    const InfoElements& e() const { return window->elements(); }
    Element* button(Page p) const { return e().buttons[columnIndexOf(p)]; }
    const Pacer& pacer() const { return window->pages().pacer(); }

    bool built(Page p) const {
        const InfoPageElements& page = e().page(p);
        bool all = page.page->visible();
        for (const Element* step : page.steps) all = all && step->visible();
        for (const HelpItemElements& h : e().help) {
            all = all && (p != Page::Help || (h.dot->visible() && h.label->visible()));
        }
        return all;
    }
    bool waitBuilt(Page p) {
        return QTest::qWaitFor([&] { return built(p); }, 10000);
    }
    void loadAbout() {
        window->load();
        QVERIFY(waitBuilt(Page::About));
    }
    // Runs `action` at the n-th tick pause from now on (1 = the next one).
    void atTick(int n, std::function<void()> action) {
        auto count = std::make_shared<int>(0);
        auto* context = new QObject(window.get());
        QObject::connect(&pacer(), &Pacer::tickPauseStarted, context, [count, n, context, action] {
            if (++*count == n) {
                QTimer::singleShot(0, action);
                context->deleteLater();
            }
        });
    }
    // The names of every page element and help mark that shows right now.
    QStringList showing() const {
        QStringList names;
        for (const InfoPageElements& page : e().pages) {
            if (page.page == nullptr)
                continue;
            if (page.page->visible())
                names << page.page->name();
            for (const Element* step : page.steps) {
                if (step->visible())
                    names << step->name();
            }
        }
        for (const HelpItemElements& h : e().help) {
            for (const Element* part : {h.dot, h.label, h.lines[0], h.lines[1]}) {
                if (part != nullptr && part->visible())
                    names << part->name();
            }
        }
        return names;
    }
    // What shows at every tick pause from now on.
    void recordTicks(QList<QStringList>& seen) {
        QObject::connect(&pacer(), &Pacer::tickPauseStarted, window.get(),
                         [this, &seen] { seen << showing(); });
    }
};

// What shows at each tick while `page` builds, or while it goes (reversed).
QList<QStringList> buildTicks(const InfoPageElements& page, bool going = false) {
    QList<QStringList> ticks;
    QStringList grown{page.page->name()};
    for (const Element* step : page.steps) {
        ticks << grown;
        grown << step->name();
    }
    if (going)
        std::reverse(ticks.begin(), ticks.end());
    return ticks;
}

// Twips of an element relative to one of its containers.
QRectF boxIn(const Element* e, const Element* container) {
    QPointF at;
    for (const Element* p = e; p != container && p != nullptr; p = p->parent()) {
        at += QPointF(p->left(), p->top());
    }
    return QRectF(at, QSizeF(e->width(), e->height()));
}

void forEachLabel(const Element& parent, const std::function<void(const Element&)>& visit) {
    for (const auto& child : parent.children()) {
        if (child->kind() == ElementKind::Label)
            visit(*child);
        forEachLabel(*child, visit);
    }
}

}  // namespace

class InfoWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The about page opens by itself and builds element by element, one
    // tick apart; a switch takes it down in reverse, then builds the new one.
    void pagesBuildOneTickApartAndASwitchTakesTheOldOneDownInReverse() {
        InfoRig rig;
        QList<QStringList> atEachTick;
        rig.recordTicks(atEachTick);
        rig.window->load();
        QVERIFY(rig.window->initInfo().isActive());
        QCOMPARE(rig.window->initInfo().interval(), 150);
        QVERIFY(rig.waitBuilt(Page::About));
        QCOMPARE(atEachTick, buildTicks(rig.e().page(Page::About)));
        QVERIFY(rig.player.calls().empty());
        QCOMPARE(rig.e().lblProg2->text().left(8), QStringLiteral("Version "));
        QCOMPARE(rig.button(Page::About)->backColor(), QColor(255, 207, 159));

        // The page already shown refuses with 7 and changes nothing; the
        // corner's number is no command.
        const QStringList before = rig.showing();
        rig.button(Page::About)->click();
        rig.e().cornerCaption->click();
        QTest::qWait(300);
        QCOMPARE(rig.player.fileNames(), QStringList{"7.wav"});
        QCOMPARE(rig.showing(), before);
        rig.player.clear();

        atEachTick.clear();
        // The caption acts as its button.
        rig.e().captions[columnIndexOf(Page::Credits)]->click();
        QVERIFY(rig.waitBuilt(Page::Credits));
        QCOMPARE(atEachTick, buildTicks(rig.e().page(Page::About), true) +
                                 buildTicks(rig.e().page(Page::Credits)));
        QCOMPARE(rig.player.fileNames(), QStringList{"1.wav"});
        QCOMPARE(rig.button(Page::Credits)->backColor(), QColor(255, 207, 159));
        QCOMPARE(rig.button(Page::About)->backColor(), QColor(255, 152, 0));
        QCOMPARE(rig.button(Page::Help)->backColor(), QColor(207, 103, 96));
    }

    void aSwitchInsideABuildUpStopsItAndBuildsTheNewPageFully() {
        for (const Page to : {Page::Copyrights, Page::Help}) {
            InfoRig rig;
            rig.atTick(3, [&rig, to] { rig.button(to)->click(); });
            rig.window->load();
            QVERIFY(rig.waitBuilt(to));
            // Long enough for a build-up that went on to show something more.
            QTest::qWait(800);
            QVERIFY(rig.built(to));
            for (const InfoPageElements& page : rig.e().pages) {
                if (page.page != nullptr && page.page != rig.e().page(to).page) {
                    QVERIFY2(!page.page->visible(), qPrintable(page.page->name()));
                }
            }
            for (const Element* step : rig.e().page(Page::About).steps) {
                QVERIFY2(!step->visible(), qPrintable(step->name()));
            }
            QCOMPARE(rig.window->pages().current(), to);
            QCOMPARE(rig.pacer().timer1().interval(), InfoPages::kTickMs);
        }
    }

    // The lines grow in steps of 100 twips, never past their length; they
    // are whole and the dots still hidden when the arrival sound plays.
    void theHelpPagePlaysItsSoundsAroundTheGrowingLines() {
        InfoRig rig;
        rig.aniSpeed = 0.001;
        const auto eachLine = [&](const std::function<void(const Element&, double)>& visit) {
            for (const HelpItemElements& h : rig.e().help) {
                for (std::size_t l = 0; l < 2; ++l) {
                    if (h.lines[l] == nullptr)
                        continue;
                    const info::HelpLine& designed = h.design->lines[l];
                    const Element& line = *h.lines[l];
                    visit(line,
                          (designed.vertical ? line.height() : line.width()) - designed.length);
                }
            }
        };
        int pauses = 0;
        double longestSeen = 0;
        QObject::connect(&rig.pacer(), &Pacer::pauseStarted, rig.window.get(), [&] {
            ++pauses;
            eachLine(
                [&](const Element&, double over) { longestSeen = std::max(longestSeen, over); });
        });
        bool wholeAtArrival = false;
        rig.player.setOnPlay([&](const RecordingSoundPlayer::Call& call) {
            if (!call.path.endsWith(QStringLiteral("9.wav")))
                return;
            wholeAtArrival = true;
            eachLine([&](const Element& line, double over) {
                wholeAtArrival = wholeAtArrival && line.visible() && over == 0;
            });
            for (const HelpItemElements& h : rig.e().help) {
                wholeAtArrival = wholeAtArrival && !h.dot->visible();
            }
        });
        rig.loadAbout();
        rig.button(Page::Help)->click();
        QVERIFY(rig.waitBuilt(Page::Help));
        int steps = 0;
        for (const HelpItemElements& h : rig.e().help) {
            for (std::size_t l = 0; l < 2; ++l) {
                if (h.lines[l] != nullptr) {
                    steps += static_cast<int>(std::ceil(h.design->lines[l].length / 100.0));
                }
            }
        }
        QCOMPARE(pauses, steps);
        QCOMPARE(longestSeen, 0.0);
        QVERIFY(wholeAtArrival);
        QCOMPARE(rig.player.fileNames(), (QStringList{"1.wav", "8.wav", "9.wav", "6.wav"}));
        QVERIFY(rig.player.calls()[2].sync);
        QCOMPARE(rig.pacer().timer1().interval(), InfoPages::kTickMs);
    }

    void leavingInsideABuildUpEndsItAndNeverTouchesTheClosedWindow_data() {
        QTest::addColumn<bool>("alone");
        QTest::addColumn<bool>("byExit");
        QTest::addColumn<bool>("insideHelp");
        QTest::newRow("alone, Escape, about") << true << false << false;
        QTest::newRow("alone, Exit, help") << true << true << true;
        QTest::newRow("console, Escape, help") << false << false << true;
        QTest::newRow("console, Exit, about") << false << true << false;
    }
    void leavingInsideABuildUpEndsItAndNeverTouchesTheClosedWindow() {
        QFETCH(bool, alone);
        QFETCH(bool, byExit);
        QFETCH(bool, insideHelp);
        InfoRig rig(alone ? InfoWindow::Opening::Alone : InfoWindow::Opening::FromConsole);
        rig.aniSpeed = 0.002;
        if (insideHelp) {
            rig.loadAbout();
        } else {
            rig.window->load();
        }
        QStringList atLeaving;
        bool left = false;
        QObject::connect(rig.window.get(), &InfoWindow::left, rig.window.get(), [&] {
            left = true;
            atLeaving = rig.showing();
        });
        InfoWindow* window = rig.window.get();
        const auto leaveNow = [&rig, window, byExit] {
            if (byExit) {
                rig.e().buttons[columnIndexOf(Page::None)]->click();
            } else {
                QTest::keyClick(window, Qt::Key_Escape);
            }
        };
        if (insideHelp) {
            // At the first step of the growing lines.
            auto* once = new QObject(window);
            QObject::connect(&rig.pacer(), &Pacer::pauseStarted, once, [once, leaveNow] {
                QTimer::singleShot(0, leaveNow);
                once->deleteLater();
            });
            // A click runs its page operation to the end before it returns.
            QTimer::singleShot(0, [&rig] { rig.button(Page::Help)->click(); });
        } else {
            rig.atTick(2, leaveNow);
        }
        QVERIFY(QTest::qWaitFor([&] { return left; }, 10000));
        QTest::qWait(1200);
        QCOMPARE(rig.showing(), atLeaving);
        QVERIFY(!window->isVisible());
        QCOMPARE(rig.ended, alone ? 1 : 0);
        QVERIFY(alone || rig.sounds.soundOn());
        QCOMPARE(rig.player.fileNames().count(QStringLiteral("1.wav")),
                 (byExit ? 1 : 0) + (insideHelp ? 1 : 0));
        // Nothing of the page stays up after leaving.
        for (const InfoPageElements& page : rig.e().pages) {
            QVERIFY(page.page == nullptr || !page.page->visible());
        }
    }

    void aPageClickWhileLeavingIsIgnored() {
        InfoRig rig;
        rig.loadAbout();
        bool left = false;
        QObject::connect(rig.window.get(), &InfoWindow::left, rig.window.get(),
                         [&] { left = true; });
        // Inside the take-down, a click on another page.
        rig.atTick(2, [&rig] { rig.button(Page::Credits)->click(); });
        QTimer::singleShot(0, [&rig] { QTest::keyClick(rig.window.get(), Qt::Key_Escape); });
        QVERIFY(QTest::qWaitFor([&] { return left; }, 5000));
        QTest::qWait(800);
        QVERIFY(rig.player.calls().empty());
        QCOMPARE(rig.showing(), QStringList());
        QCOMPARE(rig.ended, 1);
    }

    void aWindowDeletedUnderAPausedBuildUpIsNotTouchedAgain() {
        // Under the sanitizers this catches any use of the window after it went.
        InfoRig rig;
        rig.aniSpeed = 0.002;
        rig.atTick(3, [&rig] { rig.window.reset(); });
        rig.window->load();
        QVERIFY(QTest::qWaitFor([&] { return rig.window == nullptr; }, 5000));
        QTest::qWait(600);

        InfoRig help;
        help.aniSpeed = 0.05;
        help.loadAbout();
        QTimer::singleShot(0, [&help] { help.button(Page::Help)->click(); });
        // Somewhere in the growing lines.
        QObject::connect(&help.pacer(), &Pacer::pauseStarted, help.window.get(),
                         [&help] { QTimer::singleShot(0, [&help] { help.window.reset(); }); });
        QVERIFY(QTest::qWaitFor([&] { return help.window == nullptr; }, 5000));
        QTest::qWait(300);
    }

    // Alone it is an ordinary window at the origin; from the console it
    // covers the screen, centred 10 twips low, with bars above 900 x 650.
    void whereTheWindowLiesAndWhenItTakesScreenBars_data() {
        QTest::addColumn<bool>("alone");
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<bool>("bars");
        QTest::newRow("alone on 1280 x 1024") << true << QSize(1280, 1024) << false;
        QTest::newRow("1024 x 768") << false << QSize(1024, 768) << true;
        QTest::newRow("901 x 651") << false << QSize(901, 651) << true;
        QTest::newRow("900 wide") << false << QSize(900, 768) << false;
        QTest::newRow("650 high") << false << QSize(1024, 650) << false;
    }
    void whereTheWindowLiesAndWhenItTakesScreenBars() {
        QFETCH(bool, alone);
        QFETCH(QSize, screen);
        QFETCH(bool, bars);
        InfoRig rig(alone ? InfoWindow::Opening::Alone : InfoWindow::Opening::FromConsole,
                    QRect(QPoint(0, 0), screen));
        rig.window->load();
        for (const char* name :
             {"BarUp", "BarDown", "shpLeftUp", "shpRightUp", "shpLeftDown", "shpRightDown"}) {
            QCOMPARE(rig.window->tree().find(QString::fromLatin1(name))->visible(), bars);
        }
        const Element* main = rig.e().picInfoMain;
        if (alone) {
            QCOMPARE(rig.window->geometry(), QRect(0, 0, 634, 477));
            QVERIFY(!(rig.window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)));
            QCOMPARE(QPointF(main->left(), main->top()), QPointF(0, 0));
        } else {
            QCOMPARE(rig.window->geometry(), QRect(QPoint(0, 0), screen));
            QCOMPARE(main->left() + main->width() / 2, screen.width() * 15.0 / 2);
            QCOMPARE(main->top() + main->height() / 2, screen.height() * 15.0 / 2 + 10);
        }
    }

    void everyTextFitsItsBox() {
        InfoRig rig;
        rig.window->load();
        const ElementTree& tree = rig.window->tree();
        QStringList overflowing;
        forEachLabel(tree.root(), [&](const Element& e) {
            if (e.text().isEmpty())
                return;
            const QSizeF needs = testing::textNeeds(tree, e);
            const QSizeF box(tree.twips().toPixelsF(e.width()),
                             tree.twips().toPixelsF(e.height()) + TextLayout::kMaxOverhang);
            if (needs.width() > box.width() || needs.height() > box.height()) {
                overflowing << QStringLiteral("%1 needs %2 x %3 px in %4 x %5")
                                   .arg(e.name())
                                   .arg(needs.width())
                                   .arg(needs.height())
                                   .arg(box.width())
                                   .arg(box.height());
            }
        });
        QVERIFY2(overflowing.isEmpty(), qPrintable(overflowing.join(QStringLiteral("; "))));
    }

    // Every dot and line lies on the drawn picture, every label on the page,
    // each line begins at its dot, and each dot points at the console part it
    // explains: the help picture is the console shrunk to 473 x 335 pixels.
    void everyHelpMarkLiesOnThePictureAndPointsAtItsConsolePart() {
        testing::ConsoleRig console;
        const FrameElements& frame = console.form->frameElements();
        const std::map<info::Explains, std::vector<const Element*>> parts{
            {info::Explains::Exit, {frame.buttonOben[1]}},
            {info::Explains::AutoScan, {frame.buttonOben[4]}},
            {info::Explains::RedAlert, {frame.buttonUnten[1]}},
            {info::Explains::Ship, {frame.buttonUnten[2]}},
            {info::Explains::ScanShips, {frame.buttonUnten[3]}},
            {info::Explains::EndScan, {frame.buttonUnten[4]}},
            {info::Explains::Panel, {console.form->numberElements().picNum}},
            {info::Explains::InfoLabels,
             std::vector<const Element*>(console.scene().sector.infoLabel.begin() + 1,
                                         console.scene().sector.infoLabel.begin() + 6)}};
        InfoRig rig;
        const Element* picture = rig.e().picHelpInt;
        const Element* page = rig.e().page(Page::Help).page;
        // What of the picture shows: its drawing, cut by its own box.
        const QRectF drawn(0, 0, std::min(picture->width(), info::kHelpPictureWidthPx * 15),
                           std::min(picture->height(), info::kHelpPictureHeightPx * 15));
        const QPointF pictureOnPage = boxIn(picture, page).topLeft();
        for (const HelpItemElements& h : rig.e().help) {
            const QRectF dot = boxIn(h.dot, picture);
            QVERIFY2(drawn.contains(dot), qPrintable(h.dot->name()));
            for (const Element* line : h.lines) {
                if (line != nullptr) {
                    QVERIFY2(drawn.contains(boxIn(line, picture)), qPrintable(line->name()));
                }
            }
            QVERIFY2(dot.adjusted(-30, -30, 30, 30).contains(boxIn(h.lines[0], picture).topLeft()),
                     qPrintable(h.lines[0]->name()));
            QVERIFY2(QRectF(0, 0, page->width(), page->height())
                         .contains(boxIn(h.label, picture).translated(pictureOnPage)),
                     qPrintable(h.label->name()));
            const QPointF onConsole(
                dot.center().x() * info::kConsoleWidth / (info::kHelpPictureWidthPx * 15),
                dot.center().y() * info::kConsoleHeight / (info::kHelpPictureHeightPx * 15));
            const auto& targets = parts.at(h.design->explains);
            QVERIFY2(std::any_of(targets.begin(), targets.end(),
                                 [&](const Element* t) {
                                     return boxIn(t, frame.picMain).contains(onConsole);
                                 }),
                     qPrintable(h.dot->name()));
        }
        // The captions the dots point at say what the labels explain.
        QCOMPARE(frame.captions[8]->text(), QStringLiteral("Auto Scan"));
        QCOMPARE(frame.captions[15]->text(), QStringLiteral("&End Scan"));
    }
};

QTEST_MAIN(InfoWindowTest)
#include "info_window_test.moc"
