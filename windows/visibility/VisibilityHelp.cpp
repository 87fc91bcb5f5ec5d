#include "windows/visibility/VisibilityHelp.h"

#include "presentation/CrescentRow.h"
#include "presentation/Words.h"
#include "presentation/YearAheadRow.h"
#include "windows/common/WindowLook.h"

#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace vkt {
namespace {

// The column names with what the tooltips say of them, as a definition list.
QString columnList(const QStringList& names, const QStringList& tips)
{
    QString list = QStringLiteral("<dl>");
    for (int i = 0; i < names.size() && i < tips.size(); ++i)
        list += QStringLiteral("<dt><b>%1</b></dt><dd>%2</dd>").arg(names[i].toHtmlEscaped(), tips[i].toHtmlEscaped());
    return list + QStringLiteral("</dl>");
}

template <typename Class, typename Words>
QString classList(Class last, Words words)
{
    QString list = QStringLiteral("<ul>");
    for (int i = 0; i <= static_cast<int>(last); ++i)
        list += QStringLiteral("<li>%1</li>").arg(words(Class(i)).toHtmlEscaped());
    return list + QStringLiteral("</ul>");
}

} // namespace

QString visibilityHelpText()
{
    QString html = QStringLiteral("<h2>Holdsarló láthatósága</h2>"
        "<p>A kiválasztott hely reggelei az újhold előtt és estéi utána, mindegyik a holdsarló láthatóságának "
        "minden mennyiségével. Minden időpont a hely saját időzónája szerinti helyi idő (a hely sorában és a "
        "táblázat alatt látható IANA-zóna, például Europe/Budapest, a nyári időszámítással együtt); a "
        "főablak mezői ezzel szemben magyar idő szerint értendők.</p>");
    html += QStringLiteral("<h3>A táblázat oszlopai</h3>") +
            columnList(presentation::crescentRowHeaders(), presentation::crescentRowHeaderTips()) +
            QStringLiteral("<p>„fenn” és „lenn”: a sarkvidéken a Nap egész nap a látóhatár fölött (fenn) vagy alatt "
                           "(lenn) maradhat; ilyen napon nincs napnyugta (napkelte), így holdsarló sem, és a sor "
                           "többi oszlopa „-”. Ha a Hold marad fenn vagy lenn a Nap eseménye körül, ugyanígy.</p>");
    html += QStringLiteral("<h3>Yallop feltétele</h3>"
        "<p>B. D. Yallop: <i>A method for predicting the first sighting of the new crescent Moon</i>, NAO "
        "Technical Note 69 (1997). A legjobb időpontban (napnyugta + a Hold késésének 4/9-e) a geocentrikus, "
        "légkör nélküli ARCV-ből és a holdsarló W' szélességéből:<br>"
        "q = (ARCV − (11,8371 − 6,3226 W' + 0,7319 W'² − 0,1018 W'³)) / 10.</p><p>%1</p>")
                .arg(presentation::yallopBoundsText()) +
            classList(astro::YallopClass::F, [](astro::YallopClass c) { return presentation::yallopClassText(c); });
    html += QStringLiteral("<h3>Odeh feltétele</h3>"
        "<p>M. Sh. Odeh: <i>New criterion for lunar crescent visibility</i>, Experimental Astronomy 18 (2004), "
        "39–64. Ugyanabban az időpontban a topocentrikus (a megfigyelőhelyről nézett), légkör nélküli ARCV-ből és "
        "a topocentrikus W-ből:<br>V = ARCV − (7,1651 − 6,3226 W + 0,7319 W² − 0,1018 W³).</p><p>%1</p>")
                .arg(presentation::odehBoundsText()) +
            classList(astro::OdehClass::D, [](astro::OdehClass c) { return presentation::odehClassText(c); }) +
            QStringLiteral("<p>A két skála betűi mást jelentenek: a Yallop-osztályok színei zöldtől vörösig, az "
                           "Odeh-osztályoké világoskéktől sötétliláig sötétednek, így a két skála azonos betűje soha "
                           "nem azonos színű, és szürke nyomaton is megkülönböztethető. Mindkét feltétel "
                           "átlagos égboltot feltételez: a felhőt, a párát, a fényszennyezést és a megfigyelő "
                           "tapasztalatát nem veszi figyelembe.</p>");
    html += QStringLiteral("<h3>A horizontábra</h3>"
        "<p>A kijelölt este (reggel) a legjobb időpontban: a látóhatár a Nap irányában, legalább 40°-kal "
        "mindkét oldalán, a Nap és a Hold a látszó helyén. A Hold a valódinál jóval nagyobbra rajzolva, a sarló a "
        "Nap felé néz, vastagsága a megvilágított résszel nő. Ha a Hold túl messze áll a Naptól, az ábra szélén "
        "nyíl mutatja az irányát. Nem mutatja a csillagokat, a bolygókat, a felhőket és a tájat.</p>"
        "<h3>A percenkénti ábra</h3>"
        "<p>A Hold magassága és Yallop q értéke percenként napnyugtától holdnyugtáig (reggel holdkeltétől "
        "napkeltéig); a legjobb időpont megjelölve. A pont fölé álló egér megmondja az időt, a magasságot és q-t.</p>"
        "<h3>A térkép</h3>"
        "<p>Ugyanannak a naptári estének (reggelnek) a Yallop-zónái a Föld minden pontján, mindenütt a helyi "
        "napnyugta után (napkelte előtt): A–D színezve, E, F és a holdsarló nélküli helyek színtelenül; a piros "
        "pont a megfigyelőhely. Először durva térkép készül, aztán a finom, egyfokos. Odeh zónáit és a "
        "domborzatot nem mutatja; a zónák határa a cellák miatt kissé elmosódott.</p>"
        "<h3>A következő 12 újhold</h3>") +
            columnList(presentation::yearAheadHeaders(), presentation::yearAheadHeaderTips()) +
            QStringLiteral("<p>Egy sorra duplán kattintva annak az újholdnak az estéi és reggelei nyílnak meg. A "
                           "„Naptárba (iCal)…” gomb ezeket az estéket és reggeleket naptárfájlba írja.</p>"
        "<h3>Megfigyelőlap és képek</h3>"
        "<p>A „Nyomtatás…” (Ctrl+P) és a „Mentés PDF-be…” egy A4-es lapot készít: a hely a koordinátáival és az "
        "időzónájával, az újhold, a táblázat, a kijelölt este horizontábrája, a térkép, mindkét jelmagyarázat és "
        "a készítés dátuma, fehér alapon, a nyomtatáshoz. A mentett képek fejléce megmondja a helyet, a dátumot, "
        "hogy este vagy reggel, és a feltételt; a térkép a Föld képének teljes, 2048 × 1024 képpontos méretében "
        "készül. A „Táblázat másolása” első sora a hely, a koordináták, a zóna és az újhold, utána az "
        "oszlopnevek. A fájlválasztó először a Képek (PNG), illetve a Dokumentumok (PDF, naptár) mappában nyílik, "
        "később ott, ahová utoljára mentett.</p>"
        "<h3>Billentyűk</h3>"
        "<p>Page Up, Page Down: előző, következő újhold; a térképen ← és →: előző, következő este (reggel); "
        "Ctrl+P: a megfigyelőlap nyomtatása; F1: ez a súgó; Esc vagy Ctrl+W: az ablak bezárása.</p>");
    return html;
}

VisibilityHelpWindow::VisibilityHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("visibilityHelp"));
    setWindowTitle(QStringLiteral("Súgó – Holdsarló láthatósága"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* column = new QVBoxLayout(this);
    page = new QTextBrowser(this);
    page->setObjectName(QStringLiteral("helpPage"));
    page->setAccessibleName(QStringLiteral("A Holdsarló láthatósága ablak súgója"));
    page->setHtml(visibilityHelpText());
    setBoxColours(page, colours::White, colours::Black);
    column->addWidget(page);
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    resize(640, 560);
}

} // namespace vkt
