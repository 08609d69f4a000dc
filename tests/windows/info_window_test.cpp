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
using ovant::testing::textNeeds;

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

    bool built(Page p) const {
        const InfoPageElements& page = e().page(p);
        if (!page.page->visible()) {
            return false;
        }
        for (const Element* step : page.steps) {
            if (!step->visible()) {
                return false;
            }
        }
        if (p == Page::Help) {
            for (const HelpItemElements& h : e().help) {
                if (!h.dot->visible() || !h.label->visible()) {
                    return false;
                }
            }
        }
        return true;
    }
    bool waitBuilt(Page p) {
        return QTest::qWaitFor([&] { return built(p); }, 10000);
    }
    // Runs `action` at the n-th tick pause from now on (1 = the next one).
    void atTick(int n, std::function<void()> action) {
        auto count = std::make_shared<int>(0);
        auto* context = new QObject(window.get());
        QObject::connect(&window->pages().pacer(), &Pacer::tickPauseStarted, context,
                         [count, n, context, action] {
                             if (++*count == n) {
                                 QTimer::singleShot(0, action);
                                 context->deleteLater();
                             }
                         });
    }
};

// The names of every page element and help mark that shows right now.
QStringList showing(const InfoElements& e) {
    QStringList names;
    for (const InfoPageElements& page : e.pages) {
        if (page.page == nullptr) {
            continue;
        }
        if (page.page->visible()) {
            names << page.page->name();
        }
        for (const Element* step : page.steps) {
            if (step->visible()) {
                names << step->name();
            }
        }
    }
    for (const HelpItemElements& h : e.help) {
        for (const Element* part : {h.dot, h.label, h.lines[0], h.lines[1]}) {
            if (part != nullptr && part->visible()) {
                names << part->name();
            }
        }
    }
    return names;
}

QStringList stepNames(const InfoPageElements& page) {
    QStringList names;
    for (const Element* step : page.steps) {
        names << step->name();
    }
    return names;
}

// Twips of an element relative to one of its containers.
QRectF boxIn(const Element* e, const Element* container) {
    double left = 0;
    double top = 0;
    for (const Element* p = e; p != container && p != nullptr; p = p->parent()) {
        left += p->left();
        top += p->top();
    }
    return QRectF(left, top, e->width(), e->height());
}

void forEachLabel(const Element& parent, const std::function<void(const Element&)>& visit) {
    for (const auto& child : parent.children()) {
        if (child->kind() == ElementKind::Label) {
            visit(*child);
        }
        forEachLabel(*child, visit);
    }
}

}  // namespace

class InfoWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theAboutPageOpensByItselfAndBuildsElementByElementOneTickApart() {
        InfoRig rig;
        QList<QStringList> atEachTick;
        QObject::connect(&rig.window->pages().pacer(), &Pacer::tickPauseStarted, rig.window.get(),
                         [&] { atEachTick << showing(rig.e()); });
        rig.window->load();
        QVERIFY(rig.window->initInfo().isActive());
        QCOMPARE(rig.window->initInfo().interval(), 150);
        QVERIFY(rig.waitBuilt(Page::About));

        const InfoPageElements& about = rig.e().page(Page::About);
        QList<QStringList> expected;
        QStringList grown{about.page->name()};
        for (const QString& step : stepNames(about)) {
            expected << grown;
            grown << step;
        }
        QCOMPARE(atEachTick, expected);
        QVERIFY(rig.player.calls().empty());
        QCOMPARE(rig.e().lblProg2->text().left(8), QStringLiteral("Version "));
        QCOMPARE(rig.button(Page::About)->backColor(), QColor(255, 207, 159));
    }

    void aSwitchTakesTheOldPageDownInReverseThenBuildsTheNewOne() {
        InfoRig rig;
        rig.window->load();
        QVERIFY(rig.waitBuilt(Page::About));
        QList<QStringList> atEachTick;
        QObject::connect(&rig.window->pages().pacer(), &Pacer::tickPauseStarted, rig.window.get(),
                         [&] { atEachTick << showing(rig.e()); });
        // The caption acts as its button.
        rig.e().captions[columnIndexOf(Page::Credits)]->click();
        QVERIFY(rig.waitBuilt(Page::Credits));

        const InfoPageElements& about = rig.e().page(Page::About);
        const InfoPageElements& credits = rig.e().page(Page::Credits);
        QList<QStringList> expected;
        QStringList going = QStringList{about.page->name()} + stepNames(about);
        while (going.size() > 1) {
            going.removeLast();
            expected << going;
        }
        QStringList coming{credits.page->name()};
        for (const QString& step : stepNames(credits)) {
            expected << coming;
            coming << step;
        }
        QCOMPARE(atEachTick, expected);
        QCOMPARE(rig.player.fileNames(), QStringList{QStringLiteral("1.wav")});
        QCOMPARE(rig.button(Page::Credits)->backColor(), QColor(255, 207, 159));
        QCOMPARE(rig.button(Page::About)->backColor(), QColor(255, 152, 0));
        QCOMPARE(rig.button(Page::Help)->backColor(), QColor(207, 103, 96));
    }

    void thePageAlreadyShownRefusesWith7AndChangesNothing() {
        InfoRig rig;
        rig.window->load();
        QVERIFY(rig.waitBuilt(Page::About));
        const QStringList before = showing(rig.e());
        rig.button(Page::About)->click();
        QTest::qWait(300);
        QCOMPARE(rig.player.fileNames(), QStringList{QStringLiteral("7.wav")});
        QCOMPARE(showing(rig.e()), before);
        // The corner's number is no command.
        rig.e().cornerCaption->click();
        QCOMPARE(rig.player.fileNames(), QStringList{QStringLiteral("7.wav")});
    }

    void aSwitchInsideABuildUpStopsItAndBuildsTheNewPageFully_data() {
        QTest::addColumn<int>("target");
        QTest::newRow("to the copyrights") << static_cast<int>(Page::Copyrights);
        QTest::newRow("to the help") << static_cast<int>(Page::Help);
    }

    void aSwitchInsideABuildUpStopsItAndBuildsTheNewPageFully() {
        QFETCH(int, target);
        const Page to = static_cast<Page>(target);
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
        QCOMPARE(rig.window->pages().pacer().timer1().interval(), InfoPages::kTickMs);
    }

    void theHelpPagePlaysItsSoundsAroundTheGrowingLines() {
        InfoRig rig;
        rig.aniSpeed = 0.001;
        int pauses = 0;
        double longestSeen = 0;
        QObject::connect(&rig.window->pages().pacer(), &Pacer::pauseStarted, rig.window.get(), [&] {
            ++pauses;
            for (const HelpItemElements& h : rig.e().help) {
                for (std::size_t l = 0; l < 2; ++l) {
                    if (h.lines[l] == nullptr) {
                        continue;
                    }
                    const info::HelpLine& designed = h.design->lines[l];
                    const double now =
                        designed.vertical ? h.lines[l]->height() : h.lines[l]->width();
                    longestSeen = std::max(longestSeen, now - designed.length);
                }
            }
        });
        bool linesDoneAtArrival = false;
        bool dotsHiddenAtArrival = false;
        rig.player.setOnPlay([&](const RecordingSoundPlayer::Call& call) {
            if (!call.path.endsWith(QStringLiteral("9.wav"))) {
                return;
            }
            linesDoneAtArrival = true;
            dotsHiddenAtArrival = true;
            for (const HelpItemElements& h : rig.e().help) {
                dotsHiddenAtArrival = dotsHiddenAtArrival && !h.dot->visible();
                for (std::size_t l = 0; l < 2; ++l) {
                    if (h.lines[l] != nullptr) {
                        const info::HelpLine& designed = h.design->lines[l];
                        linesDoneAtArrival =
                            linesDoneAtArrival && h.lines[l]->visible() &&
                            (designed.vertical ? h.lines[l]->height() : h.lines[l]->width()) ==
                                designed.length;
                    }
                }
            }
        });
        rig.window->load();
        QVERIFY(rig.waitBuilt(Page::About));
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
        QVERIFY(linesDoneAtArrival);
        QVERIFY(dotsHiddenAtArrival);
        const QStringList expected{QStringLiteral("1.wav"), QStringLiteral("8.wav"),
                                   QStringLiteral("9.wav"), QStringLiteral("6.wav")};
        QCOMPARE(rig.player.fileNames(), expected);
        QVERIFY(rig.player.calls()[2].sync);
        QCOMPARE(rig.window->pages().pacer().timer1().interval(), InfoPages::kTickMs);
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
        rig.window->load();
        if (insideHelp) {
            QVERIFY(rig.waitBuilt(Page::About));
        }
        QStringList atLeaving;
        bool left = false;
        QObject::connect(rig.window.get(), &InfoWindow::left, rig.window.get(), [&] {
            left = true;
            atLeaving = showing(rig.e());
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
            QObject::connect(&window->pages().pacer(), &Pacer::pauseStarted, once,
                             [once, leaveNow] {
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
        QCOMPARE(showing(rig.e()), atLeaving);
        QVERIFY(!window->isVisible());
        QCOMPARE(rig.ended, alone ? 1 : 0);
        if (!alone) {
            QVERIFY(rig.sounds.soundOn());
        }
        QCOMPARE(rig.player.fileNames().count(QStringLiteral("1.wav")),
                 (byExit ? 1 : 0) + (insideHelp ? 1 : 0));
        // Nothing of the page stays up after leaving.
        for (const InfoPageElements& page : rig.e().pages) {
            if (page.page != nullptr) {
                QVERIFY(!page.page->visible());
            }
        }
    }

    void aPageClickWhileLeavingIsIgnored() {
        InfoRig rig;
        rig.window->load();
        QVERIFY(rig.waitBuilt(Page::About));
        bool left = false;
        QObject::connect(rig.window.get(), &InfoWindow::left, rig.window.get(),
                         [&] { left = true; });
        // Inside the take-down, a click on another page.
        rig.atTick(2, [&rig] { rig.button(Page::Credits)->click(); });
        QTimer::singleShot(0, [&rig] { QTest::keyClick(rig.window.get(), Qt::Key_Escape); });
        QVERIFY(QTest::qWaitFor([&] { return left; }, 5000));
        QTest::qWait(800);
        QVERIFY(rig.player.calls().empty());
        QCOMPARE(showing(rig.e()), QStringList());
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
        help.window->load();
        QVERIFY(help.waitBuilt(Page::About));
        QTimer::singleShot(0, [&help] { help.button(Page::Help)->click(); });
        // Somewhere in the growing lines.
        QObject::connect(&help.window->pages().pacer(), &Pacer::pauseStarted, help.window.get(),
                         [&help] { QTimer::singleShot(0, [&help] { help.window.reset(); }); });
        QVERIFY(QTest::qWaitFor([&] { return help.window == nullptr; }, 5000));
        QTest::qWait(300);
    }

    void aloneTheWindowIsOrdinaryAtTheOriginWithoutScreenBars() {
        InfoRig rig(InfoWindow::Opening::Alone, QRect(0, 0, 1280, 1024));
        rig.window->load();
        QCOMPARE(rig.window->size(), QSize(634, 477));
        QCOMPARE(rig.window->pos(), QPoint(0, 0));
        QVERIFY(!(rig.window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)));
        QVERIFY(!rig.window->tree().find(QStringLiteral("BarUp"))->visible());
        QVERIFY(!rig.window->tree().find(QStringLiteral("shpRightDown"))->visible());
        QCOMPARE(rig.e().picInfoMain->left(), 0.0);
        QCOMPARE(rig.e().picInfoMain->top(), 0.0);
    }

    void fromTheConsoleItCoversTheScreenAndTakesBarsOnlyAbove900x650_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<bool>("bars");
        QTest::newRow("1024 x 768") << QSize(1024, 768) << true;
        QTest::newRow("901 x 651") << QSize(901, 651) << true;
        QTest::newRow("900 wide") << QSize(900, 768) << false;
        QTest::newRow("650 high") << QSize(1024, 650) << false;
        QTest::newRow("800 x 600") << QSize(800, 600) << false;
    }

    void fromTheConsoleItCoversTheScreenAndTakesBarsOnlyAbove900x650() {
        QFETCH(QSize, screen);
        QFETCH(bool, bars);
        InfoRig rig(InfoWindow::Opening::FromConsole, QRect(QPoint(0, 0), screen));
        rig.window->load();
        QCOMPARE(rig.window->geometry(), QRect(QPoint(0, 0), screen));
        for (const char* name :
             {"BarUp", "BarDown", "shpLeftUp", "shpRightUp", "shpLeftDown", "shpRightDown"}) {
            QCOMPARE(rig.window->tree().find(QString::fromLatin1(name))->visible(), bars);
        }
        // Centred, and 10 twips lower.
        const Element* main = rig.e().picInfoMain;
        QCOMPARE(main->left() + main->width() / 2, screen.width() * 15.0 / 2);
        QCOMPARE(main->top() + main->height() / 2, screen.height() * 15.0 / 2 + 10);
    }

    void everyTextFitsItsBox() {
        InfoRig rig;
        rig.window->load();
        const ElementTree& tree = rig.window->tree();
        const Twips& twips = tree.twips();
        QStringList overflowing;
        forEachLabel(tree.root(), [&](const Element& e) {
            if (e.text().isEmpty()) {
                return;
            }
            const QSizeF needs = textNeeds(tree, e);
            const QSizeF box(twips.toPixelsF(e.width()),
                             twips.toPixelsF(e.height()) + TextLayout::kMaxOverhang);
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

    void everyHelpMarkLiesOnThePictureAndEveryLabelOnThePage() {
        InfoRig rig;
        const Element* picture = rig.e().picHelpInt;
        const Element* page = rig.e().page(Page::Help).page;
        // What of the picture shows: its drawing, cut by its own box.
        const QRectF drawn(0, 0, std::min(picture->width(), info::kHelpPictureWidthPx * 15),
                           std::min(picture->height(), info::kHelpPictureHeightPx * 15));
        const QRectF pictureOnPage = boxIn(picture, page);
        for (const HelpItemElements& h : rig.e().help) {
            QVERIFY2(drawn.contains(boxIn(h.dot, picture)), qPrintable(h.dot->name()));
            for (const Element* line : h.lines) {
                if (line != nullptr) {
                    QVERIFY2(drawn.contains(boxIn(line, picture)), qPrintable(line->name()));
                }
            }
            const QRectF label = boxIn(h.label, picture).translated(pictureOnPage.topLeft());
            QVERIFY2(QRectF(0, 0, page->width(), page->height()).contains(label),
                     qPrintable(h.label->name()));
            // Each line begins at its dot.
            const QRectF dot = boxIn(h.dot, picture).adjusted(-30, -30, 30, 30);
            QVERIFY2(dot.contains(boxIn(h.lines[0], picture).topLeft()),
                     qPrintable(h.lines[0]->name()));
        }
    }

    void everyHelpDotPointsAtTheConsolePartItExplains() {
        testing::ConsoleRig console;
        const FrameElements& frame = console.form->frameElements();
        const Element* picMain = frame.picMain;
        InfoRig rig;
        // The help picture is the console picture shrunk to 473 x 335 pixels.
        const double sx = info::kConsoleWidth / (info::kHelpPictureWidthPx * 15);
        const double sy = info::kConsoleHeight / (info::kHelpPictureHeightPx * 15);
        for (const HelpItemElements& h : rig.e().help) {
            const QRectF dot = boxIn(h.dot, rig.e().picHelpInt);
            const QPointF onConsole(dot.center().x() * sx, dot.center().y() * sy);
            QList<const Element*> targets;
            switch (h.design->explains) {
                case info::Explains::Exit:
                    targets << frame.buttonOben[1];
                    break;
                case info::Explains::AutoScan:
                    targets << frame.buttonOben[4];
                    break;
                case info::Explains::RedAlert:
                    targets << frame.buttonUnten[1];
                    break;
                case info::Explains::Ship:
                    targets << frame.buttonUnten[2];
                    break;
                case info::Explains::ScanShips:
                    targets << frame.buttonUnten[3];
                    break;
                case info::Explains::EndScan:
                    targets << frame.buttonUnten[4];
                    break;
                case info::Explains::Panel:
                    targets << console.form->numberElements().picNum;
                    break;
                case info::Explains::InfoLabels:
                    for (int n = 1; n <= 5; ++n) {
                        targets << console.scene().sector.infoLabel[n];
                    }
                    break;
            }
            bool hit = false;
            for (const Element* target : targets) {
                hit = hit || boxIn(target, picMain).contains(onConsole);
            }
            QVERIFY2(hit, qPrintable(h.dot->name()));
        }
        // The captions the dots point at say what the labels explain.
        QCOMPARE(frame.captions[8]->text(), QStringLiteral("Auto Scan"));
        QCOMPARE(frame.captions[15]->text(), QStringLiteral("&End Scan"));
    }
};

QTEST_MAIN(InfoWindowTest)
#include "info_window_test.moc"
