#pragma once

// For its lifetime the object stands in place of the program's own
// `Interfaccia` (`sostituisci` puts one in place and returns the one it
// replaces); then the one before comes back.
template <typename Interfaccia, Interfaccia* (*sostituisci)(Interfaccia*)>
class Sostituto : public Interfaccia
{
public:
    Sostituto() : m_precedente(sostituisci(this)) {}
    ~Sostituto() override { sostituisci(m_precedente); }
    Sostituto(const Sostituto&) = delete;
    Sostituto& operator=(const Sostituto&) = delete;

private:
    Interfaccia* m_precedente;
};
