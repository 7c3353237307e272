// The annual method: the summary by rate read from the month records and the entries, and the
// sheet's arithmetic.
//
// Tables: SaldosVorel (the working year's file, and the previous year's through a cursor of its
// own), EntradaVorel.

#include "vorel/computation/metodo_anual.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "vorel/core/date.h"
#include "vorel/core/text.h"
#include "vorel/data/cursor.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/tables.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/other_year.h"
#include "vorel/shell/product_rate.h"

namespace vorel::computation {

namespace keys = dictionary::keys;
using data::FileManager;

LinhasMetodoAnual LinhasDaTaxa(const TaxaAnual& t) {
    LinhasMetodoAnual l{};
    l[0] = t.SALDOANTERIOR;
    l[1] = t.ENTRADAEXDEVO;
    l[2] = t.ENTRADAOUTEST;
    l[3] = t.RETFINALISENTA;
    l[4] = t.RETFINALFGNREALISADO;
    l[5] = t.BASEESTFINAL;
    l[6] = l[0] + l[1] + l[2] - l[3] - l[4] - l[5];
    l[7] = t.BASEREVENDA;
    l[8] = l[6] - l[7];
    l[9] = t.RETCONSAIDAUSUFINAL;
    l[10] = t.BASEENTDEVOLUCAO;
    l[11] = l[9] - l[10];
    const Decimal percentual = t.PERCENTUAL;
    const Decimal complemento = l[11] - l[8];
    if (complemento.sign() > 0) {
        l[12] = complemento;
        l[14] = complemento * percentual / Decimal(100);
    }
    const Decimal ressarcimento = l[8] - l[11];
    if (ressarcimento.sign() > 0) {
        l[13] = ressarcimento;
        l[15] = ressarcimento * percentual / Decimal(100);
    }
    return l;
}

MetodoAnual ApuraMetodoAnual(const std::vector<TaxaAnual>& taxas) {
    std::vector<const TaxaAnual*> ordem;
    for (const TaxaAnual& t : taxas) ordem.push_back(&t);
    std::stable_sort(ordem.begin(), ordem.end(),
                     [](const TaxaAnual* a, const TaxaAnual* b) { return a->PERCENTUAL.value() < b->PERCENTUAL.value(); });
    MetodoAnual m;
    for (const TaxaAnual* t : ordem) {
        const LinhasMetodoAnual l = LinhasDaTaxa(*t);
        if (std::all_of(l.begin(), l.end(), [](const auto& v) { return v.value().is_zero(); })) continue;
        for (int i = 0; i < kLinhasMetodoAnual; ++i) m.totais[i] += l[i];
        m.colunas.push_back({t->PERCENTUAL, l});
    }
    const Decimal compl15 = m.totais[14], ress16 = m.totais[15];
    if ((compl15 - ress16).sign() > 0) m.IMPCOMPL = compl15 - ress16;
    if ((ress16 - compl15).sign() > 0) m.IMPRESS = ress16 - compl15;
    return m;
}

namespace {

struct Registro {
    Decimal produto;
    date::Day competencia = 0;
    Decimal aliquota;
    dictionary::SaldosVorelRec rec;
};

class Verificacao {
public:
    Verificacao(const shell::EmpresaPeriodo& periodo, std::vector<TaxaAnual>& taxas,
                const std::function<void(long long, long long)>& progresso)
        : periodo_(periodo), taxas_(taxas), progresso_(progresso) {}

    std::string Executa() {
        ano_ = periodo_.ano;
        mesTrabalho_ = periodo_.Inicio();
        if (auto erro = SaldoAnterior(); !erro.empty()) return erro;
        std::vector<Registro> registros;
        if (auto erro = Le(registros); !erro.empty()) return erro;
        Donos(registros);
        FileManager ent(dictionary::EntradaVorel());
        if (!shell::AbreNoAno(ent, periodo_).ok()) return Erro("Abrindo as entradas");
        // The entries are wide: each product's month is summed from its CFOs and bases only.
        if (!data::Cursor::read_only(ent, {"CodMercadoria", "DataEmissao", "CFO", "BaseICMS"}).ok())
            return Erro("Lendo as entradas");
        long long feitos = 0;
        for (const Registro& r : registros) {
            if (progresso_) progresso_(++feitos, std::max(total_, feitos));
            TaxaAnual& t = Taxa(r.aliquota);
            if (donos_.count(&r)) t.ENTRADAEXDEVO += Entradas(ent, r);
            t.ENTRADAOUTEST += r.rec.CalcOutUF;
            t.RETFINALISENTA += r.rec.CalcIsenta;
            t.RETFINALFGNREALISADO += r.rec.CalcFGNRealisado;
            t.RETCONSAIDAUSUFINAL += r.rec.ConfUsuFinal;
            t.RETCONDEMHIP += r.rec.ConfDemHip;
            if (r.competencia == mesTrabalho_) t.BASEESTFINAL += r.rec.BaseAcunulada;
        }
        (void)ent.close();
        if (progresso_) progresso_(total_, total_);
        taxas_.clear();
        for (auto& [p, t] : porTaxa_) taxas_.push_back(t);
        return {};
    }

private:
    static std::string Erro(const char* oque) { return std::string(oque) + ": " + text::to_utf8(data::describe(data::last_error())); }

    TaxaAnual& Taxa(const Decimal& aliquota) {
        const Decimal chave = DecimalField<5, 2>(aliquota).value();
        auto [it, novo] = porTaxa_.try_emplace(chave);
        if (novo) it->second.PERCENTUAL = chave;
        return it->second;
    }

    // Line 1: the previous year's December records, when that year's file exists.
    std::string SaldoAnterior() {
        shell::OtherYearFile anterior(dictionary::SaldosVorel(), periodo_.empresa, ano_ - 1);
        data::Result r = anterior.open();
        if (r == data::kFileNotFound) return {};
        if (!r.ok()) return Erro("Abrindo os saldos do ano anterior");
        auto& q = anterior.rec<dictionary::SaldosVorelRec>();
        const date::Day dezembro = date::first_of_month(ano_ - 1, 12);
        if (!data::Cursor::read_only(anterior.file(), {"Competencia", "Aliquota", "BaseAcunulada"}).ok())
            return Erro("Lendo os saldos do ano anterior");
        anterior.file().clear_record();
        q.Competencia = dezembro;
        if (!anterior.file().set_at(keys::SQEL_KEY_DATA).ok()) return Erro("Lendo os saldos do ano anterior");
        while (anterior.file().next().ok() && q.Competencia == dezembro) Taxa(q.Aliquota).SALDOANTERIOR += q.BaseAcunulada;
        return {};
    }

    std::string Le(std::vector<Registro>& out) {
        FileManager saldos(dictionary::SaldosVorel());
        if (!shell::AbreNoAno(saldos, periodo_).ok()) return Erro("Abrindo os saldos");
        auto& q = saldos.rec<dictionary::SaldosVorelRec>();
        // What the sheet's lines take of a balance record; the other fields read blank.
        if (!data::Cursor::read_only(saldos, {"Produto", "Competencia", "Aliquota", "BaseAcunulada", "CalcFGNRealisado",
                                              "CalcIsenta", "CalcOutUF", "ConfUsuFinal", "ConfDemHip"})
                 .ok())
            return Erro("Lendo os saldos");
        saldos.clear_record();
        if (!saldos.set(keys::SQEL_KEY_DATA).ok()) return Erro("Lendo os saldos");
        total_ = std::max<long long>(0, saldos.records());
        while (saldos.next().ok()) {
            if (q.Competencia <= 0 || date::year(q.Competencia) != ano_) continue;
            out.push_back({Decimal::parse(q.Produto.clipped()).value_or(Decimal()), date::first_of_month(q.Competencia),
                           q.Aliquota, q});
        }
        (void)saldos.close();
        return {};
    }

    // The record of each product and month that the month's entries are counted under: the one at
    // the product's rate on the month's first day, else the first read.
    void Donos(const std::vector<Registro>& registros) {
        std::map<std::pair<Decimal, date::Day>, std::vector<const Registro*>> grupos;
        for (const Registro& r : registros) grupos[{r.produto, r.competencia}].push_back(&r);
        for (auto& [chave, grupo] : grupos) {
            const Registro* dono = grupo.front();
            if (grupo.size() > 1) {
                date::Day dia = chave.second;
                const Decimal aliquota = shell::AliquotaProdutoData(chave.first, dia, 0);
                for (const Registro* o : grupo)
                    if (o->aliquota == aliquota) {
                        dono = o;
                        break;
                    }
            }
            donos_.insert(dono);
        }
    }

    // The base of the product's entries of the record's month, returns (CFO 177, 178) apart.
    Decimal Entradas(FileManager& ent, const Registro& r) {
        auto& e = ent.rec<dictionary::EntradaVorelRec>();
        ent.clear_record();
        e.CodMercadoria = r.produto;
        e.DataEmissao = r.competencia;
        Decimal soma;
        if (!ent.set_at(keys::ENT_KEY_PRODUTODATA).ok()) return soma;
        while (ent.next().ok()) {
            if (e.CodMercadoria.value() != r.produto || date::first_of_month(e.DataEmissao) != r.competencia) break;
            if (e.CFO != 177 && e.CFO != 178) soma += e.BaseICMS;
        }
        return soma;
    }

    std::vector<TaxaAnual>& taxas_;
    const std::function<void(long long, long long)>& progresso_;
    long long total_ = 0;
    const shell::EmpresaPeriodo periodo_;
    int ano_ = 0;
    date::Day mesTrabalho_ = 0;
    std::map<Decimal, TaxaAnual> porTaxa_;
    std::set<const Registro*> donos_;
};

}  // namespace

std::string VerificaSaldosAnual(const shell::EmpresaPeriodo& periodo, std::vector<TaxaAnual>& taxas,
                                const std::function<void(long long, long long)>& progresso) {
    return Verificacao(periodo, taxas, progresso).Executa();
}

}  // namespace vorel::computation
