#include "fogli/LettoreXls.h"

#include "fogli/LettoreXlsFreeXL.h"

Esito<std::unique_ptr<LettoreFoglio>> apriFoglioXls(const QByteArray& contenuto,
                                                    const QString& nome, const RegoleFoglio& regole)
{
    return apriFoglioXlsFreeXL(contenuto, nome, regole);
}
