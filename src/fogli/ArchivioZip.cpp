#include "fogli/ArchivioZip.h"

#include <QIODevice>
#include <algorithm>
#include <limits>
#include <unzip.h>

namespace {

// minizip's file access routed through the device, already open.
voidpf ZCALLBACK apriFile(voidpf opaque, const void*, int mode)
{
    if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ)
        return nullptr;
    return opaque;
}

uLong ZCALLBACK leggiFile(voidpf, voidpf stream, void* buf, uLong size)
{
    const qint64 letti =
        static_cast<QIODevice*>(stream)->read(static_cast<char*>(buf), static_cast<qint64>(size));
    return letti < 0 ? 0 : static_cast<uLong>(letti);
}

uLong ZCALLBACK scriviFile(voidpf, voidpf, const void*, uLong)
{
    return 0;
}

ZPOS64_T ZCALLBACK posizioneFile(voidpf, voidpf stream)
{
    return static_cast<ZPOS64_T>(static_cast<QIODevice*>(stream)->pos());
}

long ZCALLBACK spostaFile(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto* file = static_cast<QIODevice*>(stream);
    qint64 base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        base = file->pos();
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        base = file->size();
    else if (origin != ZLIB_FILEFUNC_SEEK_SET)
        return -1;
    return file->seek(base + static_cast<qint64>(offset)) ? 0 : -1;
}

int ZCALLBACK chiudiFile(voidpf, voidpf)
{
    return 0; // the device closes with the archive
}

int ZCALLBACK erroreFile(voidpf, voidpf)
{
    return 0; // a failed read already shows as fewer bytes
}

} // namespace

struct ArchivioZip::Stato
{
    std::unique_ptr<QIODevice> file;
    unzFile zip = nullptr;
    bool parteAperta = false;
};

ArchivioZip::ArchivioZip() : m_stato(std::make_unique<Stato>()) {}

ArchivioZip::~ArchivioZip()
{
    chiudiParte();
    if (m_stato->zip)
        unzClose(m_stato->zip);
}

EsitoVuoto ArchivioZip::apri(std::unique_ptr<QIODevice> dispositivo, const QString& nome)
{
    m_stato->file = std::move(dispositivo);
    zlib_filefunc64_def funzioni{};
    funzioni.zopen64_file = apriFile;
    funzioni.zread_file = leggiFile;
    funzioni.zwrite_file = scriviFile;
    funzioni.ztell64_file = posizioneFile;
    funzioni.zseek64_file = spostaFile;
    funzioni.zclose_file = chiudiFile;
    funzioni.zerror_file = erroreFile;
    funzioni.opaque = m_stato->file.get();
    m_stato->zip = unzOpen2_64("", &funzioni);
    if (!m_stato->zip)
        return Errore{
            QStringLiteral(
                "Il file %1 non è una cartella di lavoro Excel leggibile (archivio danneggiato).")
                .arg(nome)};
    return {};
}

bool ArchivioZip::contiene(const QString& nome)
{
    chiudiParte();
    // Part names are compared without regard to case, as Office does.
    return unzLocateFile(m_stato->zip, nome.toUtf8().constData(), 2) == UNZ_OK;
}

EsitoVuoto ArchivioZip::apriParte(const QString& nome)
{
    chiudiParte();
    if (unzLocateFile(m_stato->zip, nome.toUtf8().constData(), 2) != UNZ_OK)
        return Errore{
            QStringLiteral("Cartella di lavoro Excel non valida: manca la parte %1.").arg(nome)};
    if (unzOpenCurrentFile(m_stato->zip) != UNZ_OK)
        return Errore{
            QStringLiteral("Cartella di lavoro Excel non valida: la parte %1 non si può leggere.")
                .arg(nome)};
    m_stato->parteAperta = true;
    return {};
}

Esito<qint64> ArchivioZip::leggiBlocco(char* destinazione, qint64 capienza)
{
    if (!m_stato->parteAperta)
        return qint64(0);
    const int letti = unzReadCurrentFile(m_stato->zip, destinazione,
                                         static_cast<unsigned>(qMin<qint64>(capienza, 1 << 30)));
    if (letti < 0)
        return Errore{
            QStringLiteral("Cartella di lavoro Excel danneggiata: dati compressi non validi.")};
    if (letti == 0) {
        // The end of the part: its checksum is verified on closing.
        m_stato->parteAperta = false;
        if (unzCloseCurrentFile(m_stato->zip) == UNZ_CRCERROR)
            return Errore{QStringLiteral(
                "Cartella di lavoro Excel danneggiata: controllo dei dati non superato.")};
    }
    return qint64(letti);
}

qint64 ArchivioZip::dimensioneParte()
{
    unz_file_info64 informazioni{};
    if (!m_stato->parteAperta || unzGetCurrentFileInfo64(m_stato->zip, &informazioni, nullptr, 0,
                                                         nullptr, 0, nullptr, 0) != UNZ_OK)
        return 0;
    return static_cast<qint64>(
        std::min<ZPOS64_T>(informazioni.uncompressed_size, std::numeric_limits<qint64>::max()));
}

void ArchivioZip::chiudiParte()
{
    if (m_stato->parteAperta) {
        unzCloseCurrentFile(m_stato->zip);
        m_stato->parteAperta = false;
    }
}
