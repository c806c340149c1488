#include "base/LavoroInDisparte.h"

#include <QEventLoop>
#include <QThread>
#include <memory>

void LavoroInDisparte::inDisparte(const std::function<void(const Interruzione&)>& lavoro)
{
    m_interrompi = false;
    std::unique_ptr<QThread> filo(QThread::create([&] { lavoro(m_interrompi); }));
    QEventLoop attesa;
    // Queued to this thread, so a run that ends before exec() still ends the loop.
    connect(filo.get(), &QThread::finished, &attesa, &QEventLoop::quit);
    filo->start();
    attesa.exec();
    filo->wait();
}
