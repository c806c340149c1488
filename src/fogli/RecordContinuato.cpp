#include "fogli/RecordContinuato.h"

#include <QtEndian>
#include <algorithm>

RecordContinuato::RecordContinuato(std::vector<RecordBiff::Record> parti, int inizio)
    : m_parti(std::move(parti)), m_posizione(inizio)
{
}

RecordContinuato RecordContinuato::conSeguito(RecordBiff::Records& records,
                                              const RecordBiff::Record& primo, int inizio)
{
    std::vector<RecordBiff::Record> parti{primo};
    for (RecordBiff::Record seguito; records.continuazione(seguito);)
        parti.push_back(seguito);
    return RecordContinuato(std::move(parti), inizio);
}

bool RecordContinuato::disponibili()
{
    while (m_posizione >= parte().lunghezza) {
        if (m_parte + 1 >= m_parti.size())
            return false;
        ++m_parte;
        m_posizione = 0;
    }
    return true;
}

bool RecordContinuato::finito()
{
    return !disponibili();
}

bool RecordContinuato::u8(quint8& valore)
{
    if (!disponibili())
        return false;
    valore = parte().dati[m_posizione++];
    return true;
}

bool RecordContinuato::u16(quint16& valore)
{
    quint8 basso = 0;
    quint8 alto = 0;
    if (!u8(basso) || !u8(alto))
        return false;
    valore = static_cast<quint16>(basso | alto << 8);
    return true;
}

bool RecordContinuato::u32(quint32& valore)
{
    quint16 basso = 0;
    quint16 alto = 0;
    if (!u16(basso) || !u16(alto))
        return false;
    valore = basso | static_cast<quint32>(alto) << 16;
    return true;
}

bool RecordContinuato::salta(quint32 byte)
{
    while (byte > 0) {
        if (!disponibili())
            return false;
        const quint32 qui = std::min<quint32>(byte, parte().lunghezza - m_posizione);
        m_posizione += static_cast<int>(qui);
        byte -= qui;
    }
    return true;
}

bool RecordContinuato::stringa8(QString& testo, bool contaInByte)
{
    quint16 caratteri = 0;
    quint8 opzioni = 0;
    if (contaInByte) {
        quint8 breve = 0;
        if (!u8(breve))
            return false;
        caratteri = breve;
    } else if (!u16(caratteri)) {
        return false;
    }
    if (!u8(opzioni))
        return false;
    quint16 sequenze = 0;
    quint32 fonetica = 0;
    if ((opzioni & 0x08) && !u16(sequenze))
        return false;
    if ((opzioni & 0x04) && !u32(fonetica))
        return false;

    testo.resize(caratteri);
    char16_t* destinazione = reinterpret_cast<char16_t*>(testo.data());
    bool doppi = opzioni & 0x01;
    int letti = 0;
    while (letti < caratteri) {
        if (m_posizione >= parte().lunghezza) {
            // The characters run on into the next record, after its flags.
            if (m_parte + 1 >= m_parti.size() || m_parti[m_parte + 1].lunghezza == 0)
                return false;
            ++m_parte;
            doppi = parte().dati[0] & 0x01;
            m_posizione = 1;
            continue;
        }
        const quint8* byte = parte().dati + m_posizione;
        const int restanti = parte().lunghezza - m_posizione;
        if (doppi) {
            // A character is never cut between two records.
            const int qui = std::min(caratteri - letti, restanti / 2);
            if (qui == 0)
                return false;
            for (int i = 0; i < qui; ++i)
                destinazione[letti + i] = qFromLittleEndian<quint16>(byte + 2 * i);
            letti += qui;
            m_posizione += 2 * qui;
        } else {
            const int qui = std::min(caratteri - letti, restanti);
            std::copy(byte, byte + qui, destinazione + letti);
            letti += qui;
            m_posizione += qui;
        }
    }
    return salta(4u * sequenze) && salta(fonetica);
}
