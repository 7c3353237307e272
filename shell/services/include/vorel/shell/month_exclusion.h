// A month's computation and the writes to the movements it reads exclude each other, between the
// threads of a process and between the processes (workstations) on one data root: an import, a
// form or a deletion that writes a company's month while that month is being computed is refused,
// and so is a computation of a month whose movements are being written. The later one is told who
// holds the month (company, month and what runs) and writes nothing; computations of one month
// may run together, and so may writers.
//
// The month is held through a lock file in the company's year folder ("Meses.lck"): a byte per
// month for computations and one for writers, each locked shared by the holders of that kind, and a
// gate byte under which a holder checks the other kind and takes its own. The locks belong to an
// open file description, so a process that dies lets go of the month at once.
//
//     MesEmUso uso(MesEmUso::Calculo, empresa, ano, mes);
//     if (!uso.tomado()) return Refuse(uso.recusa());    // the text for the user (UTF-8)
//     ... compute; the month is let go when `uso` is destroyed
#pragma once

#include <cstdint>
#include <string>

namespace vorel::shell {

class MesEmUso {
public:
    enum Uso { Calculo, Gravacao };

    // Takes month `mes` of `ano` of company `empresa` for `uso`, in the working data root.
    MesEmUso(Uso uso, std::uint32_t empresa, int ano, int mes);
    ~MesEmUso();
    MesEmUso(MesEmUso&& o) noexcept;
    MesEmUso& operator=(MesEmUso&&) = delete;
    MesEmUso(const MesEmUso&) = delete;
    MesEmUso& operator=(const MesEmUso&) = delete;

    bool tomado() const { return fd_ >= 0; }
    // Why the month was not taken (UTF-8): the other run, or the lock file that could not be used.
    const std::string& recusa() const { return recusa_; }

private:
    int fd_ = -1;
    std::string recusa_;
};

}  // namespace vorel::shell
