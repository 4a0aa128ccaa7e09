#include "gamefixture.h"

#include "board/module1.h"
#include "forms/form.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStringList>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <array>

namespace {

struct Preset {
    const char *item;
    QKeySequence keys;
    int cols;
    int rows;
    int mines;
};

const std::array<Preset, 3> presets = {{
    {"mnuEZ", QKeySequence(Qt::CTRL | Qt::Key_E), 8, 8, 10},
    {"mnuMed", QKeySequence(Qt::CTRL | Qt::Key_M), 16, 16, 40},
    {"mnuHrd", QKeySequence(Qt::CTRL | Qt::Key_H), 32, 20, 100},
}};
enum PresetIndex { Easy, Medium, Hard };

const QStringList difficultyItems = {"mnuEZ", "mnuMed", "mnuHrd", "mnuCust"};

QStringList checkedItems(const FormHost &window) {
    QStringList checked;
    for (const QString &name : difficultyItems)
        if (window.action(name)->isChecked())
            checked << name;
    return checked;
}

// The controls on the window's area, of every layer.
int controlsOnArea(const FormHost &window) {
    std::size_t count = 0;
    for (FormArea::Layer layer : {FormArea::Shapes, FormArea::Labels, FormArea::Buttons})
        count += window.area()->controls(layer).size();
    return static_cast<int>(count);
}

// Describes the first way in which the loaded game differs from a fresh game of the preset.
QString freshGameProblem(GameFixture &game, const Preset &preset) {
    gameboard &board = game.board();
    const int cells = preset.cols * preset.rows;
    if (Module1::cols != preset.cols || Module1::rows != preset.rows)
        return QStringLiteral("board is %1 x %2").arg(Module1::cols).arg(Module1::rows);
    if (Module1::totalmines != preset.mines)
        return QStringLiteral("totalmines is %1").arg(Module1::totalmines);
    if (board.covered != cells)
        return QStringLiteral("covered is %1").arg(board.covered);
    if (game.visibleCovers() != cells)
        return QStringLiteral("%1 covers visible").arg(game.visibleCovers());
    if (static_cast<int>(game.cellsWithLabel("M").size()) != preset.mines)
        return QStringLiteral("%1 mines").arg(game.cellsWithLabel("M").size());
    if (board.square.count() != cells + 1 || board.mine.count() != cells + 1 ||
        board.background.count() != cells + 1)
        return QStringLiteral("%1 cover elements").arg(board.square.count());
    for (int k = 1; k <= cells; ++k)
        if (!board.square[k].caption().isEmpty() || !board.square[k].isEnabled())
            return QStringLiteral("cover %1 is flagged or disabled").arg(k);
    if (board.face.caption() != QLatin1String("K") || !board.face.isVisible())
        return QStringLiteral("face reads %1").arg(board.face.caption());
    if (checkedItems(game.window()) != QStringList{preset.item})
        return QStringLiteral("check marks on %1").arg(checkedItems(game.window()).join(','));
    return {};
}

// Shortcut keys reach only the active window, as on the desktop.
bool activate(GameFixture &game) {
    game.window().activateWindow();
    return QTest::qWaitForWindowActive(&game.window());
}

// What the event loop does between two actions of the player, short of the clock's ticks:
// pending events are delivered and the discarded games disposed of.
void settle() {
    QCoreApplication::sendPostedEvents();
    GameFixture::flushDeletes();
}

// Whether anything is drawn in the column of marks before an item's text.
bool markedInPicture(const QImage &picture, const QRect &item) {
    const QRect column = QRect(item.topLeft(), QSize(item.height() * 3 / 4, item.height()))
                             .adjusted(2, 2, -2, -2)
                             .intersected(picture.rect());
    const QRgb background = picture.pixel(column.topLeft());
    for (int y = column.top(); y <= column.bottom(); ++y)
        for (int x = column.left(); x <= column.right(); ++x)
            if (picture.pixel(x, y) != background)
                return true;
    return false;
}

int objectsUnder(const FormHost &window) {
    return static_cast<int>(window.findChildren<QObject *>().size());
}

} // namespace

class tst_startup : public QObject {
    Q_OBJECT

private slots:
    void firstStartIsEasy();
    void chooseDifficulty_data();
    void chooseDifficulty();
    void newGameKeepsHard_data();
    void newGameKeepsHard();
    void hardBackToEasyLeavesNothingOver();
    void greyedItemsChangeNothing_data();
    void greyedItemsChangeNothing();
    void difficultyMarks_data();
    void difficultyMarks();
    void faceHoldsKeyboardFocus();
    void f10OpensTheGameMenu();
    void repeatedRestarts_data();
    void repeatedRestarts();
};

void tst_startup::firstStartIsEasy() {
    GameFixture game;
    QCOMPARE(Module1::cols, 8);
    QCOMPARE(Module1::rows, 8);
    QCOMPARE(Module1::totalmines, 10);
    QCOMPARE(game.board().covered, 64);
    QCOMPARE(game.board().leftcount, 10);
    QCOMPARE(game.window().windowTitle(), QStringLiteral("Pebblerun"));
    const QString problem = freshGameProblem(game, presets[Easy]);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void tst_startup::chooseDifficulty_data() {
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<bool>("byShortcut");
    for (int before : {Easy, Medium, Hard}) {
        for (int chosen : {Easy, Medium, Hard}) {
            const QByteArray name =
                QByteArray(presets[before].item) + " to " + presets[chosen].item;
            QTest::newRow(name + " by menu") << before << chosen << false;
            QTest::newRow(name + " by shortcut") << before << chosen << true;
        }
    }
}

void tst_startup::chooseDifficulty() {
    QFETCH(int, before);
    QFETCH(int, chosen);
    QFETCH(bool, byShortcut);
    GameFixture game;
    QVERIFY(activate(game));
    game.triggerMenu(presets[before].item);
    GameFixture::flushDeletes();
    QPointer<Form> old = game.window().form();
    const std::vector<int> oldMines = game.cellsWithLabel("M");

    if (byShortcut)
        game.shortcut(presets[chosen].keys);
    else
        game.triggerMenu(presets[chosen].item);

    QVERIFY2(game.window().form() != old.data(), "no new game was begun");
    QVERIFY(game.cellsWithLabel("M") != oldMines);
    const QString problem = freshGameProblem(game, presets[chosen]);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    GameFixture::flushDeletes();
    QVERIFY2(old.isNull(), "the previous game was not discarded");
}

void tst_startup::newGameKeepsHard_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("F2") << "F2";
    QTest::newRow("face") << "face";
    QTest::newRow("New") << "mnuNew";
    QTest::newRow("Hard again") << "mnuHrd";
}

void tst_startup::newGameKeepsHard() {
    QFETCH(QString, how);
    GameFixture game;
    QVERIFY(activate(game));
    game.shortcut(presets[Hard].keys);
    QCOMPARE(game.board().covered, 640);
    // Play a little, so that the new game has something to undo.
    const std::vector<int> mines = game.cellsWithLabel("M");
    int safe = 1;
    while (std::find(mines.begin(), mines.end(), safe) != mines.end())
        ++safe;
    game.pressCover(640, Qt::RightButton);
    game.pressCover(safe);
    QCOMPARE(game.board().square[640].caption(), QStringLiteral("M"));
    QVERIFY(game.board().covered < 640);
    QPointer<Form> old = game.window().form();

    if (how == QLatin1String("F2"))
        game.shortcut(QKeySequence(Qt::Key_F2));
    else if (how == QLatin1String("face"))
        game.clickFace();
    else
        game.triggerMenu(how);

    QVERIFY2(game.window().form() != old.data(), "no new game was begun");
    QVERIFY2(game.cellsWithLabel("M") != mines, "the new game has the old mines");
    const QString problem = freshGameProblem(game, presets[Hard]);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void tst_startup::hardBackToEasyLeavesNothingOver() {
    GameFixture game;
    // A new Easy game, so that what the first showing of the window adds is left out.
    game.triggerMenu("mnuEZ");
    GameFixture::flushDeletes();
    const int easyControls = controlsOnArea(game.window());
    const int easyObjects = objectsUnder(game.window());
    const QSize easyArea = game.window().area()->size();

    game.triggerMenu("mnuHrd");
    GameFixture::flushDeletes();
    // Every cell's cover, label and rectangle, and not one widget among them.
    QCOMPARE(controlsOnArea(game.window()) - easyControls, 3 * (640 - 64));
    QVERIFY(game.window().area()->findChildren<QWidget *>().isEmpty());

    game.triggerMenu("mnuEZ");
    GameFixture::flushDeletes();
    QCOMPARE(controlsOnArea(game.window()), easyControls);
    QCOMPARE(objectsUnder(game.window()), easyObjects);
    QCOMPARE(game.window().area()->size(), easyArea);
    QCOMPARE(game.board().width(), 2513.0f);
    QCOMPARE(game.board().height(), 3580.0f);
    const QString problem = freshGameProblem(game, presets[Easy]);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void tst_startup::greyedItemsChangeNothing_data() {
    QTest::addColumn<int>("preset");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QKeySequence>("keys");
    for (int preset : {Easy, Hard}) {
        const QByteArray on = QByteArray(" on ") + presets[preset].item;
        QTest::newRow("Best Times" + on) << preset << "mnuHS" << QKeySequence();
        QTest::newRow("Custom" + on) << preset << "mnuCust" << QKeySequence();
        QTest::newRow("Ctrl+B" + on) << preset << "" << QKeySequence(Qt::CTRL | Qt::Key_B);
        QTest::newRow("Ctrl+C" + on) << preset << "" << QKeySequence(Qt::CTRL | Qt::Key_C);
    }
}

void tst_startup::greyedItemsChangeNothing() {
    QFETCH(int, preset);
    QFETCH(QString, item);
    QFETCH(QKeySequence, keys);
    GameFixture game;
    QVERIFY(activate(game));
    game.triggerMenu(presets[preset].item);
    GameFixture::flushDeletes();
    QVERIFY(!game.window().action("mnuHS")->isEnabled());
    QVERIFY(!game.window().action("mnuCust")->isEnabled());
    QPointer<Form> form = game.window().form();
    const std::vector<int> mines = game.cellsWithLabel("M");
    const QStringList checked = checkedItems(game.window());
    const float width = game.board().width();

    if (item.isEmpty())
        game.shortcut(keys);
    else
        game.triggerMenu(item);
    GameFixture::flushDeletes();

    QVERIFY2(!form.isNull(), "the game was discarded");
    QCOMPARE(game.window().form(), form.data());
    QCOMPARE(game.cellsWithLabel("M"), mines);
    QCOMPARE(checkedItems(game.window()), checked);
    QCOMPARE(game.board().width(), width);
    QVERIFY(!game.window().action("mnuCust")->isChecked());
    const QString problem = freshGameProblem(game, presets[preset]);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));

    // The keys did reach the window: a shortcut that acts does act from here.
    game.shortcut(QKeySequence(Qt::Key_F2));
    QVERIFY(game.window().form() != form.data());
}

void tst_startup::difficultyMarks_data() {
    QTest::addColumn<QString>("style");
    QTest::addColumn<int>("ratio");
    QTest::addColumn<int>("preset");

    for (const QString &style : QStyleFactory::keys())
        for (int ratio : {1, 2})
            for (int preset : {Easy, Hard})
                QTest::addRow("%s, %dx, %s", qPrintable(style), ratio, presets[preset].item)
                    << style << ratio << preset;
}

// The chosen difficulty shows its mark; the others, greyed Custom too, show nothing at all.
void tst_startup::difficultyMarks() {
    QFETCH(QString, style);
    QFETCH(int, ratio);
    QFETCH(int, preset);

    GameFixture game;
    game.choose(preset);
    auto *menu = game.window().findChild<QMenu *>("mnuDiff");
    QVERIFY(menu);
    const std::unique_ptr<QStyle> drawnIn(QStyleFactory::create(style));
    menu->setStyle(drawnIn.get());
    menu->popup(game.window().mapToGlobal(QPoint(0, 0)));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    menu->setActiveAction(nullptr);
    QImage picture(menu->size() * ratio, QImage::Format_RGB32);
    picture.setDevicePixelRatio(ratio);
    menu->render(&picture);
    menu->close();

    for (const QString &name : difficultyItems) {
        QAction *item = game.window().action(name);
        const QRect box = menu->actionGeometry(item);
        const QRect inPicture(box.topLeft() * ratio, box.size() * ratio);
        QCOMPARE(markedInPicture(picture, inPicture), name == presets[preset].item);
    }
    menu->setStyle(nullptr);
}

void tst_startup::faceHoldsKeyboardFocus() {
    GameFixture game;
    QVERIFY(activate(game));
    QCOMPARE(QApplication::focusWidget(), game.window().area());
    QVERIFY(game.board().face.hasFocus());
    game.triggerMenu("mnuHrd");
    QCOMPARE(QApplication::focusWidget(), game.window().area());
    QVERIFY(game.board().face.hasFocus());
}

// From the keyboard alone, as on every desktop; the arrows go on from there.
void tst_startup::f10OpensTheGameMenu() {
    GameFixture game;
    QVERIFY(activate(game));
    QTest::keyClick(game.window().windowHandle(), Qt::Key_F10);
    QMenuBar *bar = game.window().menuBar();
    QVERIFY(bar->activeAction());
    QCOMPARE(bar->activeAction()->text(), QStringLiteral("Game"));
    QTRY_VERIFY(bar->activeAction()->menu()->isVisible());
}

void tst_startup::repeatedRestarts_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("face") << "face";
    QTest::newRow("F2") << "F2";
    QTest::newRow("New") << "mnuNew";
    QTest::newRow("difficulty items") << "difficulty";
    QTest::newRow("difficulty shortcuts") << "shortcuts";
}

void tst_startup::repeatedRestarts() {
    QFETCH(QString, how);
    GameFixture game;
    QVERIFY(activate(game));
    // Three controls a cell; the rest belong to the board as a whole.
    const int fixedControls = controlsOnArea(game.window()) - 3 * 64;
    int objectsOnEasy = 0;
    for (int round = 0; round < 50; ++round) {
        const Preset &preset = presets[static_cast<std::size_t>(round % 3)];
        QPointer<Form> old = game.window().form();
        if (how == QLatin1String("difficulty")) {
            game.triggerMenu(preset.item);
        } else if (how == QLatin1String("shortcuts")) {
            game.shortcut(preset.keys);
        } else {
            game.triggerMenu(preset.item);
            old = game.window().form();
            if (how == QLatin1String("face"))
                game.clickFace();
            else if (how == QLatin1String("F2"))
                game.shortcut(QKeySequence(Qt::Key_F2));
            else
                game.triggerMenu(how);
        }
        QVERIFY2(game.window().form() != old.data(),
                 qPrintable(QStringLiteral("round %1: no new game").arg(round)));
        const QString problem = freshGameProblem(game, preset);
        QVERIFY2(problem.isEmpty(),
                 qPrintable(QStringLiteral("round %1: %2").arg(round).arg(problem)));
        // The old board is gone before anything else happens.
        QVERIFY(old.isNull());
        QCOMPARE(controlsOnArea(game.window()), fixedControls + 3 * preset.cols * preset.rows);
        settle();
        // Nothing of the discarded games stays behind, outside the stage either.
        if (round == 3)
            objectsOnEasy = objectsUnder(game.window());
        if (round > 3 && round % 3 == 0)
            QCOMPARE(objectsUnder(game.window()), objectsOnEasy);
    }
}

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
