// The management sheet's gathering of the month into the run's work table.
#include "vorel/sheets/movimento_gestao.h"

#include <charconv>
#include <optional>

#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/data/cursor.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/other_year.h"
#include "vorel/shell/text_append.h"

namespace vorel::sheets {

namespace {

namespace keys = dictionary::keys;
using dictionary::EntradaSaidaVorelRec;

long long Numero(std::string_view s) {
    s = text::trim(s);
    long long n = 0;
    std::from_chars(s.data(), s.data() + s.size(), n);
    return n;
}

std::string Data(date::Day d) { return picture::format("@d06b", d); }

// The tables the gathering reads, each on a cursor of its own.
struct Leitura {
    data::FileManager saidas{dictionary::SaidaVorel()};
    data::FileManager entradas{dictionary::EntradaVorel()};
    data::FileManager caixas{dictionary::MovMaqRegistradora()};
    data::FileManager produtos{dictionary::Produtos()};
    data::FileManager lotes{dictionary::LoteVorel()};
    data::FileManager maquinas{dictionary::ICMSEletronica()};
    data::FileManager pares{dictionary::ForCliQel()};
    std::vector<data::FileManager*> abertas;

    // The period's file of the table (shell::AbreNoAno). A table whose file does not exist yet holds
    // nothing to gather.
    data::Result Abre(data::FileManager& f, const shell::EmpresaPeriodo& periodo, bool& existe) {
        data::Result r = shell::AbreNoAno(f, periodo);
        existe = r.ok();
        if (r.ok()) abertas.push_back(&f);
        return r == data::kFileNotFound ? data::Result() : r;
    }
    ~Leitura() {
        for (data::FileManager* f : abertas) (void)f->close();
    }
};

class Montagem {
public:
    Montagem(data::FileManager& trabalho, const OpcoesMontagem& o, const AvisosMontagem& a)
        : esa_(trabalho), o_(o), a_(a), inicio_(o.periodo.Inicio()), fim_(o.periodo.Fim()) {}

    ResultadoMontagem Executa() {
        for (const std::string& l : CabecalhoErrosNotas()) Anexa(l);
        if (!r_.ok()) return r_;
        struct {
            data::FileManager* f;
            bool* existe;
        } tabelas[] = {{&t_.saidas, &temSaidas_}, {&t_.entradas, &temEntradas_}, {&t_.caixas, &temCaixas_},
                       {&t_.produtos, &temProdutos_}, {&t_.lotes, &temLotes_}, {&t_.maquinas, &temMaquinas_},
                       {&t_.pares, &temPares_}};
        for (auto& t : tabelas)
            if (!Checa(t_.Abre(*t.f, o_.periodo, *t.existe), t.f->desc().label)) return r_;
        // The movement files are wide: only what a work row, the batch look-up and the error line take
        // is read.
        if (!Checa(data::Cursor::read_only(t_.saidas, {"CodMercadoria", "DataSaida", "Serie", "Numero", "CFO",
                                                       "Complemento", "CFOComplementar", "Quantidade", "BaseCalculo",
                                                       "Lote", "CNPJ"}),
                   "SaidaVorel") ||
            !Checa(data::Cursor::read_only(t_.entradas, {"CodMercadoria", "DataEmissao", "Cnpj", "Saldo_Inicial",
                                                         "Serie", "Numero", "CFO", "Complemento", "CFOComplementar",
                                                         "Quantidade", "BaseICMS", "Lote"}),
                   "EntradaVorel") ||
            !Checa(data::Cursor::read_only(t_.caixas, {"CodMercadoria", "DataEmissao", "Aliquota", "Codigo",
                                                       "Quantidade", "BaseCalculo"}),
                   "MovMaqRegistradora"))
            return r_;

        data::Transaction escrita({&esa_});
        if (!Checa(escrita.status(), "EntradaSaidaVorel")) return r_;
        if (o_.fornecedor != 0) PorFornecedor();
        else {
            const std::optional<Decimal> um = o_.todos ? std::nullopt : std::optional<Decimal>(o_.produto);
            if (r_.ok()) Saidas(um);
            if (r_.ok()) Entradas(um);
            if (r_.ok()) Caixas(um);
        }
        if (!r_.ok()) return r_;
        Checa(escrita.commit(), "EntradaSaidaVorel");
        return r_;
    }

private:
    bool Checa(data::Result r, std::string_view onde) {
        if (r.ok() || !r_.ok()) return r_.ok();
        r_.falha = text::to_utf8(data::last_error().text) + " (" + std::string(onde) + ")";
        return false;
    }
    void Anexa(const std::string& linha) {
        if (!r_.ok()) return;
        const std::uint8_t r = shell::AnexaTextoArquivo(o_.arquivoErros, linha, 0, 0, 1);
        if (r != shell::kAnexaOk) r_.falha = shell::MensagemAnexaTexto(r, o_.arquivoErros);
    }
    void Avanca() {
        if (a_.avanca) a_.avanca();
    }
    // Whether a read of the key order goes on; an error other than its end stops the gathering.
    bool Proximo(data::FileManager& f) {
        data::Result r = f.next();
        if (r.ok()) return true;
        if (r != data::kRecordNotAvailable) Checa(r, f.desc().label);
        return false;
    }
    bool Grava(std::string_view origem) {
        data::Result r = esa_.add();
        if (r.ok()) ++r_.linhas;
        return Checa(r, origem);
    }
    bool ForaDoMes(date::Day d) const { return d < inicio_ || d > fim_; }

    std::string DescricaoProduto(const Decimal& codigo) {
        if (!temProdutos_) return {};
        auto& p = t_.produtos.rec<dictionary::ProdutosRec>();
        t_.produtos.clear_record();
        p.Codigo = codigo;
        if (!t_.produtos.get(keys::PRO_KEY_CODIGO).ok()) return {};
        return std::string(p.Produtos.clipped());
    }

    void Saidas(const std::optional<Decimal>& um) {
        if (!temSaidas_) return;
        auto& s = t_.saidas.rec<dictionary::SaidaVorelRec>();
        t_.saidas.clear_record();
        s.CodMercadoria = um.value_or(Decimal());
        s.DataSaida = um ? inicio_ : 0;
        if (!Checa(t_.saidas.set_at(keys::SAI_KEY_PRODUTODATA), "SaidaVorel")) return;
        while (Proximo(t_.saidas)) {
            Avanca();
            const Decimal produto = s.CodMercadoria.value();
            if (um && (produto != *um || ForaDoMes(s.DataSaida))) break;
            if (ForaDoMes(s.DataSaida)) continue;
            auto& r = esa_.rec<EntradaSaidaVorelRec>();
            esa_.clear_record();
            r.DATA = s.DataSaida;
            r.SERIE = s.Serie.value();
            r.NUMERO = NumeroSaida(s.Numero);
            r.CFO = s.CFO;
            r.COMPLEMENTO = static_cast<std::uint8_t>(s.Complemento);
            r.CFOCOMPL = static_cast<std::int16_t>(Numero(s.CFOComplementar.value()));
            r.QUANTIDADE = s.Quantidade.value();
            r.BASEICMS = s.BaseCalculo.value();
            r.CODMERCADORIA = produto;
            r.ENTSAI = 2;
            r.LOTE = s.Lote.value();
            LoteDaSaida(s, r);
            if (!r_.ok() || !Grava("EntradaSaidaVorel")) return;
        }
    }

    // The exit's batch: the CNPJ of an old batch's opening-balance entry, or the unregistered
    // batch's message and error line.
    void LoteDaSaida(const dictionary::SaidaVorelRec& s, EntradaSaidaVorelRec& r) {
        auto& l = t_.lotes.rec<dictionary::LoteVorelRec>();
        t_.lotes.clear_record();
        l.LOTE = s.Lote.value();
        l.CODPRODUTO = s.CodMercadoria.value();
        if (!temLotes_ || !t_.lotes.get(keys::LTC_KEY_LOTEPROD).ok()) {
            const std::string descricao = DescricaoProduto(s.CodMercadoria.value());
            if (a_.loteAusente)
                a_.loteAusente("Não foi encontrado o lote " + text::to_utf8(s.Lote.clipped()) + " referente ao Produto " +
                               s.CodMercadoria.value().to_fixed(0) + "-" + text::to_utf8(descricao) +
                               ". Nota Fiscal Saida nº " + std::to_string(s.Numero) + " com data de " +
                               Data(s.DataSaida));
            Anexa(LinhaErroNota(s, descricao));
            return;
        }
        if (l.TIPO != 0 || !temEntradas_) return;
        auto& e = t_.entradas.rec<dictionary::EntradaVorelRec>();
        t_.entradas.clear_record();
        e.CodMercadoria = s.CodMercadoria.value();
        e.Lote = s.Lote.value();
        e.Numero = 0;
        if (t_.entradas.get(keys::ENT_KEY_PRODLOTESERIENUM).ok()) r.CNPJFORPROD = e.Cnpj.value();
    }

    void Entradas(const std::optional<Decimal>& um) {
        if (!temEntradas_) return;
        auto& e = t_.entradas.rec<dictionary::EntradaVorelRec>();
        t_.entradas.clear_record();
        e.CodMercadoria = um.value_or(Decimal());
        e.DataEmissao = um ? inicio_ : 0;
        if (!Checa(t_.entradas.set_at(keys::ENT_KEY_PRODUTODATA), "EntradaVorel")) return;
        const std::string filtro(text::clip(o_.cnpjFornecedor));
        while (Proximo(t_.entradas)) {
            Avanca();
            const Decimal produto = e.CodMercadoria.value();
            if (um && (produto != *um || ForaDoMes(e.DataEmissao))) break;
            if (ForaDoMes(e.DataEmissao)) continue;
            if (!filtro.empty() && text::sub(filtro, 1, 14) != text::sub(e.Cnpj.value(), 1, 14)) continue;
            if (e.Saldo_Inicial == 1) {
                const Decimal q = e.Quantidade.value(), b = e.BaseICMS.value();
                r_.aberturas[produto] = {q, Decimal::divide_or_zero(b, q).rounded(3), b};
            }
            auto& r = esa_.rec<EntradaSaidaVorelRec>();
            esa_.clear_record();
            r.DATA = e.DataEmissao;
            r.SERIE = e.Serie.value();
            r.NUMERO = e.Numero == 0 ? std::string() : std::to_string(e.Numero);
            r.CFO = e.CFO;
            r.COMPLEMENTO = static_cast<std::uint8_t>(e.Complemento);
            r.CFOCOMPL = e.CFOComplementar;
            r.QUANTIDADE = e.Quantidade.value();
            r.BASEICMS = e.BaseICMS.value();
            r.CODMERCADORIA = produto;
            r.ENTSAI = 1;
            r.LOTE = e.Lote.value();
            if (!Grava("EntradaSaidaVorel")) return;
        }
    }

    void Caixas(const std::optional<Decimal>& um) {
        if (!temCaixas_) return;
        auto& m = t_.caixas.rec<dictionary::MovMaqRegistradoraRec>();
        t_.caixas.clear_record();
        m.CodMercadoria = um.value_or(Decimal());
        m.DataEmissao = um ? std::to_string(inicio_) : std::string();
        if (!Checa(t_.caixas.set_at(keys::MMR_KEY_PRODUTODATA), "MovMaqRegistradora")) return;
        while (Proximo(t_.caixas)) {
            Avanca();
            const Decimal produto = m.CodMercadoria.value();
            const date::Day dia = static_cast<date::Day>(Numero(m.DataEmissao.value()));
            if (um && (produto != *um || ForaDoMes(dia))) break;
            if (ForaDoMes(dia) || m.Aliquota.clipped() != "F") continue;
            auto& r = esa_.rec<EntradaSaidaVorelRec>();
            esa_.clear_record();
            r.DATA = dia;
            r.SERIE = "0";
            r.NUMERO = SerieDaMaquina(m.Codigo);
            r.QUANTIDADE = m.Quantidade.value();
            r.BASEICMS = m.BaseCalculo.value();
            r.CODMERCADORIA = produto;
            r.ALIQUOTA = m.Aliquota.value();
            r.ENTSAI = 2;
            if (!Grava("EntradaSaidaVorel")) return;
        }
    }

    std::string SerieDaMaquina(std::int16_t codigo) {
        if (!temMaquinas_) return {};
        auto& i = t_.maquinas.rec<dictionary::ICMSEletronicaRec>();
        t_.maquinas.clear_record();
        i.Codigo = codigo;
        if (!t_.maquinas.get(keys::ICM_KEY_NUMERO).ok()) return {};
        return std::string(i.Serie.value());
    }

    // One supplier: each product it supplies (ForCliQel), with the one-product stop rules.
    void PorFornecedor() {
        if (!temProdutos_ || !temPares_) return;
        auto& p = t_.produtos.rec<dictionary::ProdutosRec>();
        t_.produtos.clear_record();
        if (!o_.todos) p.Codigo = o_.produto;
        if (!Checa(t_.produtos.set_at(keys::PRO_KEY_CODIGO), "Produtos")) return;
        while (Proximo(t_.produtos)) {
            const Decimal produto = p.Codigo.value();
            if (!o_.todos && produto != o_.produto) break;
            auto& par = t_.pares.rec<dictionary::ForCliQelRec>();
            t_.pares.clear_record();
            par.CODFOR = o_.fornecedor;
            par.CODPROD = produto;
            if (!t_.pares.get(keys::FCC_KEY_FORPROD).ok()) continue;
            Saidas(produto);
            if (r_.ok()) Entradas(produto);
            if (r_.ok()) Caixas(produto);
            if (!r_.ok()) return;
            // The reads above moved the product buffer; the product order goes on from this one.
            t_.produtos.clear_record();
            p.Codigo = produto;
            if (!Checa(t_.produtos.get(keys::PRO_KEY_CODIGO), "Produtos")) return;
        }
    }

    data::FileManager& esa_;
    const OpcoesMontagem& o_;
    const AvisosMontagem& a_;
    const date::Day inicio_, fim_;  // the month's first and last day
    Leitura t_;
    ResultadoMontagem r_;
    bool temSaidas_ = false, temEntradas_ = false, temCaixas_ = false, temProdutos_ = false, temLotes_ = false,
         temMaquinas_ = false, temPares_ = false;
};

}  // namespace

std::string NumeroSaida(std::uint32_t numero) {
    const std::string n = numero == 0 ? std::string() : std::to_string(numero);
    return n.size() >= 6 ? n : std::string(6 - n.size(), ' ') + n;
}

const std::array<std::string, 3>& CabecalhoErrosNotas() {
    static const std::array<std::string, 3> linhas = {
        "+------------+--------------------+-------+--------+------+----------------------+"
        "----------------------------------------------------+",
        "|  Emissao   | CNPJ               | Serie | Numero | CFO  | Lote                 | Produto"
        "                                            |",
        "+------------+--------------------+-------+--------+------+----------------------+"
        "----------------------------------------------------+"};
    return linhas;
}

std::string LinhaErroNota(const dictionary::SaidaVorelRec& s, const std::string& produto) {
    const std::string cnpj = picture::format("@p##.###.###/####-##p", Decimal(Numero(s.CNPJ.value())));
    const std::string nome = s.CodMercadoria.value().to_fixed(0) + "-" + std::string(text::clip(produto));
    return "| " + text::pad(Data(s.DataSaida), 10) + " | " + text::pad(cnpj, 18) + " | " + text::pad(s.Serie.value(), 5) +
           " | " + text::pad(std::to_string(s.Numero), 6) + " | " + text::pad(std::to_string(s.CFO), 4) + " | " +
           text::pad(s.Lote.value(), 20) + " | " + text::pad(nome, 50) + " |";
}

ResultadoMontagem MontaMovimentoMes(data::FileManager& trabalho, const OpcoesMontagem& opcoes,
                                    const AvisosMontagem& avisos) {
    return Montagem(trabalho, opcoes, avisos).Executa();
}

}  // namespace vorel::sheets
