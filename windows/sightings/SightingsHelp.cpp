#include "windows/sightings/SightingsHelp.h"

#include "presentation/Words.h"
#include "sightings/Scorecard.h"

#include <QStringList>
#include <type_traits>

namespace vkt {
namespace {

// The criterion's classes in the words the tables use: "A: könnyen látható; B: …".
template <class Class>
QString classes(int count)
{
    QStringList words;
    for (int c = 0; c < count; ++c) {
        if constexpr (std::is_same_v<Class, astro::YallopClass>)
            words << presentation::yallopClassText(static_cast<Class>(c));
        else
            words << presentation::odehClassText(static_cast<Class>(c));
    }
    return words.join(QStringLiteral("; "));
}

// The page, with the two scales' class words filled in.
constexpr char kHelpPage[] = R"(<h2>Holdsarló-észlelések</h2>
<p>Itt élnek a saját holdsarló-észlelései: minden próbálkozás, akár látta a holdsarlót, akár nem.
A program minden észleléshez kiszámítja az égbolt adatait (a Swiss Ephemeris alapján, ugyanúgy, mint
a holdsarló-adatok fájlban), és megmutatja, mennyire jól jósolták meg az egyes kritériumok azt,
amit a megfigyelők valóban láttak.</p>

<h3>Az űrlap</h3>
<p><b>Dátum</b>: a hely naptári napja, amelynek estéjén vagy reggelén az észlelés történt.
<b>Idő</b>: az első észlelés helyi ideje (óó:pp), sikertelen próbánál a próbáé; üresen az aznapi
legjobb időpont számít. <b>Este/reggel</b>: napnyugta utáni vagy napkelte előtti észlelés.
<b>Hely</b>: válasszon a saját és a beépített helyek közül, vagy írja be a nevet, a szélességet
(északon pozitív), a hosszúságot (keleten pozitív), a tengerszint feletti magasságot és az időzónát
(IANA-név, például Europe/Budapest; üresen a hosszúság helyi középideje).
A négy eszköz (szabad szem, binokulár, távcső, kamera) mindegyikére: látta, nem látta vagy nem
próbálta. Az ég átlátszósága, a felhőzet és egy szabad megjegyzés.</p>
<p>Az „Új észlelés” a főablak „Megfigyelés ideje” mezőjének idejével (ha az üres vagy érvénytelen,
a mostani idővel) és a megjegyzett hellyel kezdődik; a „Holdsarló láthatósága” ablak „Észlelés
rögzítése” gombja a kijelölt este vagy reggel dátumával, legjobb időpontjával és helyével.
A „Mentés” azonnal a fájlba írja az észlelést; a „Törlés” megerősítés után töröl.
Esc vagy Ctrl+W bezárja az ablakot; ha az űrlapon mentetlen változás van, előbb megkérdezi.</p>

<h3>A táblázat oszlopai</h3>
<table border="1" cellspacing="0" cellpadding="3">
<tr><td>Dátum, Idő, Napszak, Hely, Megfigyelő</td><td>amit beírt</td></tr>
<tr><td>Szabad szem, Binokulár, Távcső, Kamera</td><td>látta / nem látta; üres: nem próbálta</td></tr>
<tr><td>Ég, Felhő</td><td>átlátszóság és felhőzet, ha megadta</td></tr>
<tr><td>Kor (óra)</td><td>a holdsarló kora az észlelés időpontjában, az újholdtól számítva; reggel negatív</td></tr>
<tr><td>Hold mag.</td><td>a Hold látszó magassága (fénytöréssel) az észlelés időpontjában, fokban</td></tr>
<tr><td>ARCL</td><td>a Nap és a Hold szögtávolsága a legjobb időpontban, fokban (geocentrikus)</td></tr>
<tr><td>ARCV</td><td>a Hold és a Nap magasságának különbsége légkör nélkül, a legjobb időpontban, fokban</td></tr>
<tr><td>W′</td><td>a holdsarló szélessége ívpercben: a Hold látszó sugara × (1 − cos ARCL)</td></tr>
<tr><td>q, Yallop</td><td>Yallop q értéke és osztálya (A–F)</td></tr>
<tr><td>V, Odeh</td><td>Odeh V értéke és osztálya (A–D), topocentrikus ARCV-vel és W-vel</td></tr>
</table>
<p>A legjobb időpont Yallop szerint napnyugta + 4/9 × késés (reggel napkelte − 4/9 × késés), ahol a
késés a Hold és a Nap lenyugvása (reggel kelte) közötti idő. A „…” jel: még számol a program;
üres cella: azon az estén nincs ilyen érték (a Hold a Nap előtt nyugszik, vagy nincs napnyugta).
Minden oszlop rendezhető a fejlécére kattintva; a számok számként rendeződnek.</p>

<h3>A kritériumok</h3>
<ul>
<li><b>Yallop</b>: B. D. Yallop, <i>A Method for Predicting the First Sighting of the New Crescent
Moon</i>, NAO Technical Note No. 69, 1997 (HM Nautical Almanac Office). A q érték a geocentrikus ARCV
és a W′ szélesség függvénye; osztályai: %1.</li>
<li><b>Odeh</b>: M. Sh. Odeh, <i>New Criterion for Lunar Crescent Visibility</i>, Experimental
Astronomy 18 (2004) 39–64. A V érték a topocentrikus ARCV és W függvénye; osztályai: %2.</li>
<li><b>Babiloni szabály</b>, ahogy Odeh (2004, 2.1. szakasz) idézi: napnyugtakor a Hold 24 óránál
idősebb, és több mint 48 perccel a Nap után nyugszik (reggel tükörképesen); ekkor „látható”.</li>
</ul>

<h3>Az értékelés</h3>
<p>Minden kritérium osztályai szerepelnek a látott és a nem látott esetek számával, külön a szabad
szemre és az optikai eszközökre (binokulár, távcső vagy kamera: ha bármelyikkel látta, látottnak
számít). Szabad szemre Yallop A–B, Odeh A és a babiloni szabály „látható” osztálya jósol
észlelést; optikával Yallop A–D, Odeh A–C és a szabály „látható” osztálya. A helyes jóslatok
aránya ezekből számít. Meglepetés: látta, ahol a kritérium lehetetlennek mondta (szabad szemre
Yallop D–F, Odeh C–D, a szabály „nem látható”; optikával Yallop E–F, Odeh D), vagy nem látta, ahol
könnyűnek (Yallop A, Odeh A, a szabály „látható”). A rekordok: a legfiatalabb látott holdsarló
(az észlelés időpontjában), a legkisebb ARCL és a legkisebb q, amelynél látta, szabad szemmel és
optikával, este és reggel.</p>

<h3>Az ábra</h3>
<p>ARCV a holdsarló szélessége szerint, két keretben: Yallopé (geocentrikus ARCV, W′) az
osztályhatáraival, és Odehé (topocentrikus ARCV és W) az övéivel. Teli pont: szabad szemmel
látta; karika: csak optikával; kereszt: nem látta. Egy pontra mutatva megjelenik az észlelés neve.</p>

<h3>A fájlok</h3>
<p><b>eszlelesek.txt</b> az adatmappában: Windows-1250 kódolás, CR LF sorvég, egy fejlécsor, utána
soronként egy észlelés, pontosvesszővel tagolva, tizedesvesszővel, így a magyar táblázatkezelők
közvetlenül megnyitják. Oszlopai: Dátum (éééé.hh.nn.), Időpont, Időzóna, Napszak (este/reggel),
Szélesség, Hosszúság, Magasság, Szabad szem, Binokulár, Távcső, Kamera (látta / nem látta /
nem próbálta), Átlátszóság, Felhőzet, Hely, Megfigyelő, Megjegyzés. Csak a beírt adatok kerülnek
bele; a számított értékeket a program mindig újraszámolja. A program által nem olvasható sorokat
sorszámukkal és okukkal megmutatja („Olvashatatlan sorok…”), és változatlanul megtartja.</p>
<p><b>CSV csere</b> más megfigyelőkkel és katalógusokkal: UTF-8, fejlécsor, vesszővel tagolva,
tizedesponttal, RFC 4180 szerinti idézőjelekkel, pontosan ezekkel az oszlopokkal:<br>
<code>date,time,timezone,session,latitude,longitude,height,naked_eye,binoculars,telescope,camera,sky,clouds,place,observer,note</code><br>
date: ÉÉÉÉ-HH-NN; time: helyi óó:pp vagy üres (legjobb időpont); timezone: IANA-név vagy üres;
session: evening / morning; latitude, longitude: fok (észak és kelet pozitív); height: méter vagy
üres; az eszközök: seen, not seen vagy üres; sky: superb / clear / hazy / very hazy vagy üres;
clouds: clear / partly cloudy / cloudy vagy üres. Az importálás előbb megmutatja, mit ad hozzá,
és minden sort, amelyet nem tud beolvasni (sorszámmal és okkal), vagy amely már szerepel (azonos
dátum, napszak, hely és idő); csak megerősítés után ír. Az exportálás ugyanezeket az oszlopokat
írja, utánuk a számított értékekkel: new_moon, age_hours, sunset, moonset, lag_minutes, best_time,
moon_altitude, moon_azimuth, arcl, arcv, daz, w, illumination, yallop_q, yallop_class, odeh_v,
odeh_class, obs_age_hours, obs_moon_altitude, obs_moon_azimuth, extra_criterion, extra_value,
extra_class.</p>
)";

} // namespace

QString sightingsHelpText()
{
    return QString::fromUtf8(kHelpPage)
        .arg(classes<astro::YallopClass>(sightings::classCount(sightings::Criterion::Yallop)),
             classes<astro::OdehClass>(sightings::classCount(sightings::Criterion::Odeh)));
}

} // namespace vkt
