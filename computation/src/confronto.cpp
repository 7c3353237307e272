// The confrontation of interstate exits with entries: the walk of one exit, the summary by CFOP,
// and the read of a computation's work table into the printed lines.
//
// Tables: the run's work table (its own file), EntradaVorel (the working year's file and the earlier
// years' Entradas.Tps through cursors of their own), Produtos, ForCli, CFO.

#include "vorel/computation/confronto.h"

#include <memory>
#include <set>

#include "vorel/computation/calculo_produtos.h"
#include "vorel/computation/regras_colunas.h"
#include "vorel/core/text.h"
#include "vorel/data/cursor.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/fiscal/linha_planilha.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/other_year.h"
#include "vorel/shell/product_rate.h"

namespace vorel::computation {

namespace keys = dictionary::keys;
using data::FileManager;

namespace {

const Decimal kFator = Decimal::from_scaled(6666, 4);  // 0.6666

int PrimeiroDigito(int cfo) {
    while (cfo >= 10) cfo /= 10;
    return cfo;
}

bool CfoDeCompra(int cfo) { return cfo == 1403 || cfo == 1409 || cfo == 2403 || cfo == 2409; }

std::string NumeroEntrada(std::uint32_t numero) {
    if (numero == 0) return "Estoque";
    std::string d = std::to_string(numero);
    return d.size() >= 13 ? d : std::string(13 - d.size(), ' ') + d;
}

}  // namespace

std::vector<TomadaConfronto> ConfrontaSaida(const Decimal& quantidade, date::Day data, const Decimal& aliquota,
                                            const std::function<bool(EntradaConfronto&)>& proxima) {
    std::vector<TomadaConfronto> out;
    DecimalField<13, 3> restante = quantidade;
    DecimalField<15, 3> coberta{};
    DecimalField<13, 3> tomada{};
    bool continuacao = false;
    EntradaConfronto e;
    while (restante.value().sign() > 0 && proxima(e)) {
        if (e.DataEmissao > data || !CfoDeCompra(e.CFO)) continue;
        const Decimal q = e.Quantidade;
        restante -= q;
        if (tomada.value().is_zero()) {
            if (quantidade <= q) {
                tomada = quantidade;
            } else {
                tomada = q;
                coberta = q;
            }
        } else {
            continuacao = true;
            if (quantidade - coberta <= q) {
                tomada = quantidade - coberta;
            } else {
                tomada = q;
                coberta += q;
            }
        }
        TomadaConfronto t;
        t.continuacao = continuacao;
        t.QTDE = tomada;
        DecimalField<15, 5> unitaria = Decimal::divide_or_zero(e.BaseICMSPropria, q);
        const bool interestadual = PrimeiroDigito(e.CFO) == 2;
        if (interestadual && aliquota == Decimal(18)) unitaria = unitaria * kFator;
        t.BASEICMSPROPRIA = TruncaDuasCasas(TruncaDuasCasas(unitaria) * tomada);
        t.cfoEntrada = interestadual ? e.CFO : 0;
        t.ALICOTA = aliquota;
        t.VLRICMS = t.BASEICMSPROPRIA * aliquota / Decimal(100);
        if (t.BASEICMSPROPRIA.value().is_zero()) t.ALICOTA = 0;
        t.NUMERONFENTRADA = NumeroEntrada(e.Numero);
        t.DATANFENTRADA = e.DataEmissao;
        out.push_back(std::move(t));
    }
    return out;
}

void ResumoCFO::Acumula(int cfoEntrada, int cfoSaida, const Decimal& aliquota, const Decimal& base, const Decimal& icms) {
    const DecimalField<7, 3> taxa = aliquota;
    auto [it, novo] = itens_.try_emplace({cfoEntrada, cfoSaida, taxa.value()});
    if (novo) {
        it->second.cfoEntrada = cfoEntrada;
        it->second.cfoSaida = cfoSaida;
        it->second.aliquota = taxa;
    }
    it->second.base += base;
    it->second.icms += icms;
}

std::vector<ItemResumoCFO> ResumoCFO::Itens() const {
    std::vector<ItemResumoCFO> out;
    for (const auto& [k, v] : itens_) out.push_back(v);
    return out;
}

DecimalField<13, 2> ResumoCFO::TOTABASE() const {
    DecimalField<13, 2> t{};
    for (const auto& [k, v] : itens_) t += v.cfoEntrada == 2411 ? -v.base.value() : v.base.value();
    return t;
}

DecimalField<13, 2> ResumoCFO::TOTALICMS() const {
    DecimalField<13, 2> t{};
    for (const auto& [k, v] : itens_) t += v.cfoEntrada == 2411 ? -v.icms.value() : v.icms.value();
    return t;
}

namespace {

std::string MascaraCnpj(std::string_view c) {
    c = text::clip(c);
    if (c.size() != 14) return std::string(c);
    std::string s(c);
    return s.substr(0, 2) + "." + s.substr(2, 3) + "." + s.substr(5, 3) + "/" + s.substr(8, 4) + "-" + s.substr(12, 2);
}

// What the walk back over a product's entries and the supplier filter read of an entry.
data::Result LeSoCamposDasEntradas(FileManager& fm) {
    return data::Cursor::read_only(fm, {"CodMercadoria", "DataEmissao", "CFO", "Quantidade", "BaseICMSPropria",
                                        "Numero", "Cnpj"});
}

struct Falhou {
    std::string oque;
};
void Checa(data::Result r, const char* oque) {
    if (!r.ok()) throw Falhou{oque};
}

class Montagem {
public:
    Montagem(const shell::EmpresaPeriodo& periodo, std::string_view filtro, Confronto& out, AvisosCalculo& avisos)
        : periodo_(periodo), filtro_(text::clip(filtro)), out_(out), avisos_(avisos), trabalho_(dictionary::EntradaSaidaVorel()),
          entradas_(dictionary::EntradaVorel()), produtos_(dictionary::Produtos()), forcli_(dictionary::ForCli()),
          cfo_(dictionary::CFO()) {}
    ~Montagem() {
        for (FileManager* fm : {&trabalho_, &entradas_, &produtos_, &forcli_, &cfo_})
            if (fm->is_open()) (void)fm->close();
    }

    std::string Executa(const std::string& arquivo) {
        try {
            ano_ = periodo_.ano;
            mesTrabalho_ = periodo_.Inicio();
            trabalho_.set_create(false);
            Checa(trabalho_.open_path(arquivo), "EntradaSaidaVorel");
            Checa(shell::AbreNoAno(entradas_, periodo_), "Abrindo as entradas");
            Checa(LeSoCamposDasEntradas(entradas_), "Abrindo as entradas");
            Checa(shell::AbreNoAno(produtos_, periodo_), "Abrindo os produtos");
            Checa(shell::AbreNoAno(forcli_, periodo_), "Abrindo os fornecedores e clientes");
            Checa(cfo_.open(), "Abrindo os CFOs");
            auto& w = trabalho_.rec<dictionary::EntradaSaidaVorelRec>();
            // What the report takes of a work row; the other fields read blank.
            Checa(data::Cursor::read_only(trabalho_, {"CODMERCADORIA", "DATA", "ENTSAI", "NUMERO", "SERIE", "CFO",
                                                      "COMPLEMENTO", "ALIQUOTA", "QUANTIDADE", "SAIOUTORUF",
                                                      "CONFENTRADASDEMHIP", "CNPJFORPROD"}),
                  "EntradaSaidaVorel");
            trabalho_.clear_record();
            Checa(trabalho_.set(keys::ESA_KEY_DATA_ENTSAI_NUM_AUX), "EntradaSaidaVorel");
            ProgressoCalculo progresso;
            progresso.total1 = trabalho_.records();
            for (;;) {
                data::Result r = trabalho_.next();
                if (r == data::kRecordNotAvailable) break;
                Checa(r, "EntradaSaidaVorel");
                Linha(w);
                ++progresso.barra1;
                if (!avisos_.Progresso(progresso)) break;
            }
        } catch (const Falhou& f) {
            return f.oque + ": " + text::to_utf8(data::describe(data::last_error()));
        }
        return {};
    }

private:
    void Linha(const dictionary::EntradaSaidaVorelRec& w) {
        const int cfo = w.CFO;
        Decimal aliq;
        if (cfo != 6411) {
            auto& p = produtos_.rec<dictionary::ProdutosRec>();
            produtos_.clear_record();
            p.Codigo = w.CODMERCADORIA;
            produto_ = produtos_.get(keys::PRO_KEY_CODIGO).ok() ? std::string(p.Produtos.clipped()) : std::string();
            date::Day dia = mesTrabalho_;
            aliq = DecimalField<7, 3>(shell::AliquotaProdutoData(w.CODMERCADORIA, dia, 0)).value();
            if (w.ENTSAI != 0 && !text::clip(w.NUMERO.value()).empty()) Saida(w, aliq);
        }
        if (cfo == 2411) {
            const DecimalField<11, 2> base = w.CONFENTRADASDEMHIP;
            const DecimalField<15, 2> icms = base * aliq / Decimal(100);
            out_.resumo.Acumula(2411, 0, aliq, base, icms);
        }
    }

    // The exit's cells by its CFOP's print column; blank when the column is none of 1..9.
    bool Celulas(const dictionary::EntradaSaidaVorelRec& w, LinhaConfronto& l) {
        int coluna = 0;
        if (!text::clip(w.ALIQUOTA.value()).empty()) {
            coluna = w.ALIQUOTA.clipped() == "F" ? 2 : 0;
        } else {
            if (const auto c = fiscal::ColunaDoCfo(cfo_, w.CFO, w.COMPLEMENTO, fiscal::EstadoDoCfo::SemEstado)) {
                coluna = *c;
            } else {
                avisos_.Mensagem("Alerta!", "Atenção! Identificamos inconsistências no CFO " + std::to_string(w.CFO) +
                                                " - " + std::to_string(w.COMPLEMENTO) +
                                                " ou ele não existe. Favor verifica a tabela de CFO.");
            }
        }
        if (coluna < 1 || coluna > 9) return false;
        const bool comoEntrada = fiscal::NumeroNaEntrada(w.CFO);
        if ((coluna >= 2 && coluna <= 6) || coluna == 9) {
            if (!comoEntrada) {
                l.SAINUMERO = std::string(text::clip(w.NUMERO.value()));
                l.SAISERIE = std::string(text::clip(w.SERIE.value()));
            }
            l.SAIQUANTIDADE = w.QUANTIDADE;
        }
        l.DATA = w.DATA;
        l.SAIOUTORUF = w.SAIOUTORUF;
        return true;
    }

    void Contraparte(const dictionary::EntradaSaidaVorelRec& w, LinhaConfronto& l) {
        auto& f = forcli_.rec<dictionary::ForCliRec>();
        forcli_.clear_record();
        const std::string_view cnpj = text::clip(w.CNPJFORPROD.value());
        bool achou;
        if (cnpj.size() == 14) {
            achou = fiscal::LeFornecedorPorCnpj(forcli_, cnpj);
        } else {
            std::uint32_t codigo = 0;
            for (char ch : cnpj)
                if (ch >= '0' && ch <= '9') codigo = codigo * 10 + static_cast<std::uint32_t>(ch - '0');
            f.Codigo = codigo;
            achou = forcli_.get(keys::FOR_KEY_CODIGO).ok();
        }
        if (!achou) return;
        l.CNPJ_FORNECEDOR = MascaraCnpj(f.CGC.value());
        l.NOME = std::string(f.Nome.clipped());
    }

    // With a CNPJ filter: whether the product has an entry of that CNPJ in the working year.
    bool DoFornecedor(const Decimal& produto) {
        if (filtro_.empty()) return true;
        auto it = fornecedorProduto_.find(produto);
        if (it != fornecedorProduto_.end()) return it->second;
        auto& e = entradas_.rec<dictionary::EntradaVorelRec>();
        entradas_.clear_record();
        e.CodMercadoria = produto;
        bool tem = false;
        if (entradas_.set_at(keys::ENT_KEY_PRODUTODATA).ok())
            while (!tem && entradas_.next().ok() && e.CodMercadoria.value() == produto)
                tem = e.Cnpj.clipped() == filtro_;
        fornecedorProduto_.emplace(produto, tem);
        return tem;
    }

    // The entries of the product from the exit's date backwards: the computed year's, then each
    // earlier year's file while one exists.
    std::function<bool(EntradaConfronto&)> Entradas(const dictionary::EntradaSaidaVorelRec& w) {
        struct Estado {
            int ano;
            FileManager* fm = nullptr;
            std::unique_ptr<shell::OtherYearFile> outro;
            bool posicionar = true;
        };
        auto st = std::make_shared<Estado>();
        st->ano = ano_;
        st->fm = &entradas_;
        const Decimal produto = w.CODMERCADORIA;
        const date::Day data = w.DATA;
        return [this, st, produto, data](EntradaConfronto& out) {
            for (;;) {
                if (!st->fm) return false;
                auto& e = st->fm->rec<dictionary::EntradaVorelRec>();
                if (st->posicionar) {
                    st->posicionar = false;
                    st->fm->clear_record();
                    e.CodMercadoria = produto;
                    e.DataEmissao = data;
                    if (!st->fm->set_at(keys::ENT_KEY_PRODUTODATA).ok()) return false;
                }
                if (st->fm->previous().ok() && e.CodMercadoria.value() == produto) {
                    out = {e.DataEmissao, e.CFO, e.Quantidade, e.BaseICMSPropria, e.Numero};
                    return true;
                }
                // This year's entries are exhausted: the year before, when its file exists.
                --st->ano;
                st->outro = std::make_unique<shell::OtherYearFile>(dictionary::EntradaVorel(), periodo_.empresa, st->ano);
                st->fm = st->outro->open().ok() && LeSoCamposDasEntradas(st->outro->file()).ok() ? &st->outro->file()
                                                                                               : nullptr;
                st->posicionar = true;
            }
        };
    }

    void Saida(const dictionary::EntradaSaidaVorelRec& w, const Decimal& aliq) {
        LinhaConfronto base;
        if (!Celulas(w, base)) base = LinhaConfronto{};
        if (w.CFO < 6000 || w.CFO > 6999) return;
        base.CFO = w.CFO;
        base.COMPLEMENTO = w.COMPLEMENTO;
        base.CODMERCADORIA = w.CODMERCADORIA;
        base.PRODUTOS = produto_;
        base.ALIQ = aliq;
        bool contraparteLida = false;
        for (TomadaConfronto& t : ConfrontaSaida(w.QUANTIDADE, w.DATA, aliq, Entradas(w))) {
            if (!DoFornecedor(w.CODMERCADORIA)) continue;
            if (!contraparteLida) {
                Contraparte(w, base);
                contraparteLida = true;
            }
            LinhaConfronto l;
            if (t.continuacao) {
                l.continuacao = true;
            } else {
                l = base;
            }
            out_.resumo.Acumula(t.cfoEntrada, w.CFO, t.ALICOTA, t.BASEICMSPROPRIA, t.VLRICMS);
            l.entrada = std::move(t);
            out_.linhas.push_back(std::move(l));
        }
    }

    const shell::EmpresaPeriodo periodo_;
    std::string filtro_;
    Confronto& out_;
    AvisosCalculo& avisos_;
    FileManager trabalho_, entradas_, produtos_, forcli_, cfo_;
    int ano_ = 0;
    date::Day mesTrabalho_ = 0;
    std::string produto_;
    std::map<Decimal, bool> fornecedorProduto_;
};

}  // namespace

std::string MontaConfronto(const shell::EmpresaPeriodo& periodo, const std::string& arquivoTrabalho,
                           std::string_view filtroCnpj, Confronto& out, AvisosCalculo& avisos) {
    return Montagem(periodo, filtroCnpj, out, avisos).Executa(arquivoTrabalho);
}

}  // namespace vorel::computation
