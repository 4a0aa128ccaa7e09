#include "gameboard.h"

#include "forms/runtime.h"

using runtime::RGB;

namespace {

const QString wingdings = QStringLiteral("Wingdings");
const QString impact = QStringLiteral("Impact");

std::unique_ptr<CommandButton> coverTemplate(FormArea &area) {
    auto button = std::make_unique<CommandButton>(area);
    button->setGeometry(2520, 360, 255, 255);
    return button;
}

std::unique_ptr<Shape> rectangleTemplate(FormArea &area) {
    auto shape = std::make_unique<Shape>(area);
    shape->setGeometry(3000, 360, 255, 255);
    shape->setBackColor(RGB(255, 128, 128));
    return shape;
}

std::unique_ptr<Label> contentTemplate(FormArea &area) {
    auto label = std::make_unique<Label>(area);
    label->setCaption(QStringLiteral("XX"));
    label->setGeometry(3060, 720, 225, 195);
    label->setAutoSize(true);
    return label;
}

void designCounterLabel(Label &label, const QString &caption, float left, float top, float width) {
    label.setFont({impact, 18, false});
    label.setCaption(caption);
    label.setForeColor(RGB(255, 0, 0));
    label.setGeometry(left, top, width, 435);
    label.setAutoSize(true);
}

} // namespace

gameboard::gameboard(FormHost &host)
    : Form(host), Timer1(this), square(coverTemplate(*area()), *area()), face(*area()),
      background(rectangleTemplate(*area()), *area()), time(*area()), minesleft(*area()),
      mine(contentTemplate(*area()), *area()), mnuNew(menuItem(QStringLiteral("mnuNew"), true)),
      mnuHS(menuItem(QStringLiteral("mnuHS"), false)),
      mnuEZ(menuItem(QStringLiteral("mnuEZ"), true)),
      mnuMed(menuItem(QStringLiteral("mnuMed"), true)),
      mnuHrd(menuItem(QStringLiteral("mnuHrd"), true)),
      mnuCust(menuItem(QStringLiteral("mnuCust"), false)), host_(host) {
    setCaption(QStringLiteral("Pebblerun"));
    setBackColor(RGB(255, 255, 0));
    setWidth(4680 + frameWidth);
    setHeight(3195 + frameHeight);

    Timer1.setInterval(1);
    Timer1.setTickHandler([this] { Timer1_Timer(); });

    square.setLoadHook([this](CommandButton &cover, int index) {
        cover.setMouseDownHandler([this, index](int button, int shift, float x, float y) {
            square_MouseDown(static_cast<std::int16_t>(index), button, shift, x, y);
        });
    });

    face.setGeometry(1680, 360, 495, 495);
    face.setFont({wingdings, 18, false});
    face.setCaption(QStringLiteral("K"));
    face.setClickHandler([this] { face_Click(); });

    designCounterLabel(time, QStringLiteral("0:00.0"), 3000, 1680, 945);
    designCounterLabel(minesleft, QStringLiteral("000"), 660, 1680, 615);

    mnuNew.setClickHandler([this] { mnuNew_Click(); });
    mnuEZ.setClickHandler([this] { mnuEZ_Click(); });
    mnuMed.setClickHandler([this] { mnuMed_Click(); });
    mnuHrd.setClickHandler([this] { mnuHrd_Click(); });
}

std::vector<MenuDesign> gameboard::menuDesign() {
    return {
        {QStringLiteral("mnuGame"), QStringLiteral("Game"), true, {}},
        {QStringLiteral("mnuNew"), QStringLiteral("New"), false, QKeySequence(Qt::Key_F2)},
        {QStringLiteral("mnuHS"), QStringLiteral("Best Times"), false,
         QKeySequence(Qt::CTRL | Qt::Key_B)},
        {QStringLiteral("mnuDiff"), QStringLiteral("Difficulty"), true, {}},
        {QStringLiteral("mnuEZ"), QStringLiteral("Easy"), false,
         QKeySequence(Qt::CTRL | Qt::Key_E)},
        {QStringLiteral("mnuMed"), QStringLiteral("Medium"), false,
         QKeySequence(Qt::CTRL | Qt::Key_M)},
        {QStringLiteral("mnuHrd"), QStringLiteral("Hard"), false,
         QKeySequence(Qt::CTRL | Qt::Key_H)},
        {QStringLiteral("mnuCust"), QStringLiteral("Custom"), false,
         QKeySequence(Qt::CTRL | Qt::Key_C)},
    };
}

std::unique_ptr<Form> gameboard::create(FormHost &host) {
    return std::make_unique<gameboard>(host);
}
