#include "services/FileBytes.h"

#include <QString>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

// The reasons a file could not be used, in the user's words.
namespace vkt {

QString reasonText(int errorCode)
{
    switch (errorCode) {
    case ENOSPC:
        return QStringLiteral("betelt a lemez");
    case EDQUOT:
        return QStringLiteral("elfogyott a lemezkvóta");
    case EIO:
        return QStringLiteral("be- vagy kiviteli hiba az adathordozón");
    case EACCES:
    case EPERM:
        return QStringLiteral("nincs hozzá jogosultság");
    case ENOENT:
        return QStringLiteral("a fájl vagy a mappája nem létezik");
    case EISDIR:
        return QStringLiteral("ez egy mappa, nem fájl");
    case ENOTDIR:
        return QStringLiteral("az elérési út egy tagja nem mappa");
    case EROFS:
        return QStringLiteral("a lemez csak olvasható");
    case EFBIG:
        return QStringLiteral("a fájl túl nagy");
    case EEXIST:
        return QStringLiteral("már van ilyen nevű fájl vagy mappa");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("túl sok a megnyitott fájl");
    case ENAMETOOLONG:
        return QStringLiteral("túl hosszú a fájl neve vagy elérési útja");
    case ELOOP:
        return QStringLiteral("a szimbolikus linkek körbeérnek vagy túl hosszú a láncuk");
    case ETXTBSY:
    case EBUSY:
        return QStringLiteral("a fájlt vagy az eszközt más használja");
    case EXDEV:
        return QStringLiteral("a fájl nem helyezhető át másik lemezre");
    case ENOTEMPTY:
        return QStringLiteral("a mappa nem üres");
    case ENOMEM:
        return QStringLiteral("elfogyott a memória");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("az eszköz nem érhető el");
    case EAGAIN:
    case EINTR:
        return QStringLiteral("a művelet megszakadt; próbálja újra");
    case EINVAL:
        return QStringLiteral("érvénytelen művelet erre a fájlra");
    case ENOLCK:
        return QStringLiteral("a fájl nem zárolható");
    default:
        // The system's own name for the code, the same in every language ("EPROTO").
        if (const char* name = ::strerrorname_np(errorCode))
            return QStringLiteral("rendszerhiba (%1)").arg(QLatin1String(name));
        return QStringLiteral("rendszerhiba (%1. kód)").arg(errorCode);
    }
}

// Qt's own words, in English, where no system error code is at hand.
QString unknownReason(const QString& qtText)
{
    return QStringLiteral("ismeretlen hiba (%1)").arg(qtText);
}

QString notRegularReason(unsigned mode)
{
    const char* what = nullptr;
    switch (mode & S_IFMT) {
    case S_IFDIR:
        return reasonText(EISDIR);
    case S_IFIFO:
        what = "csővezeték (FIFO)";
        break;
    case S_IFSOCK:
        what = "socket (folyamatok kapcsolódási pontja)";
        break;
    case S_IFCHR:
        what = "karakteres eszköz";
        break;
    case S_IFBLK:
        what = "blokkos eszköz (lemez vagy partíció)";
        break;
    default:
        return QStringLiteral("nem közönséges fájl");
    }
    return QStringLiteral("nem közönséges fájl, hanem %1").arg(QString::fromUtf8(what));
}

} // namespace vkt
