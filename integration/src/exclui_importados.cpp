// Deleting the records of a range of import months, with the balance marks of invoice items.
#include "vorel/integration/exclui_importados.h"

#include <algorithm>
#include <vector>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/month_exclusion.h"

namespace vorel::integration {

namespace {

namespace keys = dictionary::keys;

bool Entre(long long valor, long long de, long long ate) { return valor >= de && valor <= ate; }

// The first and last day of the range's months in the working year (the stamp of the register imports).
std::pair<date::Day, date::Day> Datas(FaixaMeses f, int ano) {
    return {date::make(ano, f.inicio, 1), date::make(ano, f.fim + 1, 1) - 1};
}

struct Parte {
    const data::TableDesc* tabela;
    data::KeyName chave;
};

std::vector<Parte> Partes(Importados qual) {
    switch (qual) {
        case Importados::Produtos: return {{&dictionary::Produtos(), keys::PRO_KEY_CODIGO}};
        case Importados::Entradas:
        case Importados::SaldoAnterior: return {{&dictionary::EntradaVorel(), keys::ENT_KEY_NUMERO}};
        case Importados::Saidas: return {{&dictionary::SaidaVorel(), keys::SAI_KEY_NUMERO}};
        case Importados::EntradaVeiculos: return {{&dictionary::EntradaVeiculo(), keys::ENV_KEY_NUMERO}};
        case Importados::SaidaVeiculos: return {{&dictionary::SaidaVeiculo(), keys::SAV_KEY_NUMERO}};
        case Importados::Lancamentos:
            return {{&dictionary::LancICMSEletronico(), keys::LAN_KEY_CODIGO},
                    {&dictionary::AnaliticoICMS(), keys::ANA_KEY_ALICOTA},
                    {&dictionary::MovMaqRegistradora(), keys::MMR_KEY_CODIGO}};
        case Importados::Maquinas: return {{&dictionary::ICMSEletronica(), keys::ICM_KEY_NUMERO}};
    }
    return {};
}

bool Selecionado(Importados qual, const data::TableDesc& t, data::FileManager& f, FaixaMeses m, int ano) {
    const auto [de, ate] = Datas(m, ano);
    switch (qual) {
        case Importados::Produtos: return Entre(f.rec<dictionary::ProdutosRec>().MesImport, de, ate);
        case Importados::Entradas: return Entre(f.rec<dictionary::EntradaVorelRec>().MesImpor, m.inicio, m.fim);
        case Importados::SaldoAnterior: {
            const auto& e = f.rec<dictionary::EntradaVorelRec>();
            return e.Numero == 0 && Entre(e.MesImpor, m.inicio, m.fim);
        }
        case Importados::Saidas: return Entre(f.rec<dictionary::SaidaVorelRec>().MesImpor, m.inicio, m.fim);
        case Importados::EntradaVeiculos: return Entre(f.rec<dictionary::EntradaVeiculoRec>().MesImpor, m.inicio, m.fim);
        case Importados::SaidaVeiculos: return Entre(f.rec<dictionary::SaidaVeiculoRec>().MesImpor, m.inicio, m.fim);
        case Importados::Lancamentos:
            if (&t == &dictionary::LancICMSEletronico())
                return Entre(f.rec<dictionary::LancICMSEletronicoRec>().MesImpor, m.inicio, m.fim);
            if (&t == &dictionary::AnaliticoICMS())
                return Entre(f.rec<dictionary::AnaliticoICMSRec>().MesImpor, m.inicio, m.fim);
            return Entre(f.rec<dictionary::MovMaqRegistradoraRec>().MesImpor, m.inicio, m.fim);
        case Importados::Maquinas: return Entre(f.rec<dictionary::ICMSEletronicaRec>().MesImpor, de, ate);
    }
    return false;
}

// The balance of the product in the month at the rate, else its first balance of the month; its
// deletion mark set. None found: nothing to mark.
data::Result MarcaExclusao(data::FileManager& saldos, const Decimal& produto, const Decimal& aliquota, date::Day mes) {
    auto& s = saldos.rec<dictionary::SaldosVorelRec>();
    saldos.clear_record();
    s.Produto = produto.to_fixed(0);
    s.Competencia = mes;
    s.Aliquota = aliquota;
    bool achou = saldos.get(keys::SQEL_KEY_PRODDATAALIQUOTA).ok();
    if (!achou) {
        saldos.clear_record();
        s.Produto = produto.to_fixed(0);
        s.Competencia = mes;
        achou = saldos.get(keys::SQEL_KEY_PROD_DATA).ok();
    }
    if (!achou) return data::kNoError;
    s.Exclusao = 1;
    return saldos.put();
}

// Tables of the thread's dictionary opened for the deletion (a window may hold them open already).
class Abertas {
public:
    explicit Abertas(const std::vector<const data::TableDesc*>& tabelas) {
        for (const data::TableDesc* t : tabelas) {
            data::FileManager& f = data::dictionary::file(*t);
            data::Result r = f.open();
            if (r == data::kAlreadyOpen) r = data::kNoError;
            else if (r.ok()) minhas.push_back(&f);
            if (!r.ok()) {
                falha = r;
                return;
            }
            todas.push_back(&f);
        }
    }
    ~Abertas() {
        for (data::FileManager* f : minhas) (void)f->close();
    }
    Abertas(const Abertas&) = delete;
    Abertas& operator=(const Abertas&) = delete;
    std::vector<data::FileManager*> todas, minhas;
    data::Result falha;
};

bool MarcaSaldos(Importados qual) { return qual == Importados::Entradas || qual == Importados::Saidas; }

// The positions of the selected records of one table, in its key order.
data::Result Seleciona(Importados qual, const Parte& p, FaixaMeses m, int ano, std::vector<data::Position>& out) {
    data::FileManager& f = data::dictionary::file(*p.tabela);
    if (data::Result r = f.set(p.chave); !r.ok()) return r;
    for (;;) {
        data::Result r = f.next();
        if (r == data::kRecordNotAvailable) return data::kNoError;
        if (!r.ok()) return r;
        if (Selecionado(qual, *p.tabela, f, m, ano)) out.push_back(f.position());
    }
}

}  // namespace

const data::TableDesc& TabelaListada(Importados qual) { return *Partes(qual).front().tabela; }

bool NoIntervalo(Importados qual, data::FileManager& tabela, FaixaMeses faixa, int ano) {
    return Selecionado(qual, TabelaListada(qual), tabela, faixa, ano);
}

long ContaImportados(Importados qual, FaixaMeses faixa, int ano) {
    std::vector<const data::TableDesc*> tabelas;
    for (const Parte& p : Partes(qual)) tabelas.push_back(p.tabela);
    Abertas abertas(tabelas);
    if (!abertas.falha.ok()) return 0;
    long n = 0;
    for (const Parte& p : Partes(qual)) {
        std::vector<data::Position> sel;
        if (Seleciona(qual, p, faixa, ano, sel).ok()) n += static_cast<long>(sel.size());
    }
    return n;
}

ResultadoExclusao ExcluiImportados(Importados qual, FaixaMeses faixa, const shell::EmpresaPeriodo& periodo,
                                   const std::function<void(long)>& progresso) {
    ResultadoExclusao r;
    const int ano = periodo.ano;
    // The months whose movements go are held against their computation while they are deleted.
    std::vector<shell::MesEmUso> meses;
    if (qual != Importados::Produtos && qual != Importados::Maquinas)
        for (int m = std::max(faixa.inicio, 1); m <= std::min(faixa.fim, 12); ++m) {
            meses.emplace_back(shell::MesEmUso::Gravacao, periodo.empresa, ano, m);
            if (!meses.back().tomado()) {
                r.recusa = meses.back().recusa();
                return r;
            }
        }
    const std::vector<Parte> partes = Partes(qual);
    std::vector<const data::TableDesc*> tabelas;
    for (const Parte& p : partes) tabelas.push_back(p.tabela);
    if (MarcaSaldos(qual)) tabelas.push_back(&dictionary::SaldosVorel());
    Abertas abertas(tabelas);
    if (r.falha = abertas.falha; !r.falha.ok()) return r;
    data::Transaction tx(abertas.todas, 1);
    if (r.falha = tx.status(); !r.falha.ok()) return r;
    const date::Day mes = periodo.Inicio();
    long feitos = 0;
    for (const Parte& p : partes) {
        std::vector<data::Position> sel;
        if (r.falha = Seleciona(qual, p, faixa, ano, sel); !r.falha.ok()) break;
        data::FileManager& f = data::dictionary::file(*p.tabela);
        for (data::Position pos : sel) {
            if (r.falha = f.reget(pos); !r.falha.ok()) break;
            Decimal produto, aliquota;
            if (qual == Importados::Saidas) {
                produto = f.rec<dictionary::SaidaVorelRec>().CodMercadoria;
                aliquota = f.rec<dictionary::SaidaVorelRec>().Alicota;
            } else if (qual == Importados::Entradas) {
                produto = f.rec<dictionary::EntradaVorelRec>().CodMercadoria;
                aliquota = f.rec<dictionary::EntradaVorelRec>().Aliquota;
            }
            if (r.falha = f.remove(); !r.falha.ok()) break;
            if (MarcaSaldos(qual)) {
                r.falha = MarcaExclusao(data::dictionary::file(dictionary::SaldosVorel()), produto, aliquota, mes);
                if (!r.falha.ok()) break;
            }
            ++feitos;
            if (progresso) progresso(feitos);
        }
        if (!r.falha.ok()) break;
    }
    if (r.falha.ok()) r.falha = tx.commit();
    if (r.falha.ok()) {
        r.excluidos = feitos;
    } else if (tx.active()) {
        (void)tx.rollback();
    }
    return r;
}

}  // namespace vorel::integration
