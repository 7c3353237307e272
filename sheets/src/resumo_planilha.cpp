// The summary of a sheet run, and a product's supplier found through its entries.
#include "vorel/sheets/resumo_planilha.h"

#include "vorel/core/date.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"

namespace vorel::sheets {

namespace keys = dictionary::keys;

void ResumoPlanilha::Acumula(std::uint32_t chave, const std::string& descricao, const LinhaPlanilha& linha) {
    if (!linha.Conta()) return;
    EntradaResumo& e = entradas_[chave];
    e.codigo = chave;
    e.descricao = descricao;
    e.saiValUnitario += linha.saiValUnitario;
    e.saldoQuantidade += linha.saldoQuantidade;
    const auto soma = [&](Decimal& total, const Decimal& v) { total = linha.subtrai ? total - v : total + v; };
    soma(e.saiQuantidade, linha.saiQuantidade);
    for (std::size_t i = 0; i < kValores; ++i) soma(e.valores[i], linha.valores[i]);
}

std::vector<EntradaResumo> ResumoPlanilha::Entradas() const {
    std::vector<EntradaResumo> out;
    out.reserve(entradas_.size());
    for (const auto& [chave, e] : entradas_) out.push_back(e);
    return out;
}

const EntradaResumo* ResumoPlanilha::Procura(std::uint32_t chave) const {
    auto it = entradas_.find(chave);
    return it == entradas_.end() ? nullptr : &it->second;
}

struct FornecedorDoProduto::Tabelas {
    data::FileManager entradas{dictionary::EntradaVorel()};
    data::FileManager forcli{dictionary::ForCli()};
    bool abertas = false;
    data::Result Abre() {
        if (abertas) return data::kNoError;
        if (data::Result r = entradas.open(); !r.ok()) return r;
        if (data::Result r = forcli.open(); !r.ok()) {
            (void)entradas.close();
            return r;
        }
        abertas = true;
        return data::kNoError;
    }
    ~Tabelas() {
        if (!abertas) return;
        (void)entradas.close();
        (void)forcli.close();
    }
};

FornecedorDoProduto::FornecedorDoProduto() : t_(std::make_unique<Tabelas>()) {}
FornecedorDoProduto::~FornecedorDoProduto() = default;

namespace {

bool CnpjVazio(std::string_view c) { return c.empty() || c == "0" || c == "00000000000000" || c == "00000000000"; }

}  // namespace

std::optional<std::uint32_t> FornecedorDoProduto::EmCache(const std::string& cnpj) const {
    auto it = cache_.find(cnpj);
    if (it == cache_.end()) return std::nullopt;
    return it->second;
}

data::Result FornecedorDoProduto::GuardaEstabelecimentos(std::uint32_t codigo) {
    data::FileManager& f = t_->forcli;
    auto& r = f.rec<dictionary::ForCliRec>();
    f.clear_record();
    r.Codigo = codigo;
    r.Inativo = 0;
    data::Result lido = f.get(keys::FOR_KEY_CODIGO);
    if (lido == data::kRecordNotFound) return data::kNoError;
    if (!lido.ok()) return lido;
    const std::string cgc(r.CGC.clipped());
    const std::string raiz = cgc.substr(0, 8);
    f.clear_record();
    r.CGC = cgc;
    if (data::Result rc = f.set_at(keys::FOR_KEY_CGC); !rc.ok()) return rc;
    for (;;) {
        data::Result rc = f.next();
        if (rc == data::kRecordNotAvailable) break;
        if (!rc.ok()) return rc;
        const std::string este(r.CGC.clipped());
        if (este.substr(0, 8) != raiz) break;
        cache_.emplace(este, codigo);
    }
    return data::kNoError;
}

data::Result FornecedorDoProduto::Fornecedor(const Decimal& produto, std::uint32_t& codigo) {
    codigo = 0;
    if (data::Result r = t_->Abre(); !r.ok()) return r;
    data::FileManager& ent = t_->entradas;
    auto& e = ent.rec<dictionary::EntradaVorelRec>();
    ent.clear_record();
    e.CodMercadoria = produto;
    e.DataEmissao = date::make(1900, 1, 1);
    if (data::Result rc = ent.set_at(keys::ENT_KEY_PRODUTODATA); !rc.ok()) return rc;
    for (;;) {
        data::Result rc = ent.next();
        if (rc == data::kRecordNotAvailable) return data::kNoError;
        if (!rc.ok()) return rc;
        if (e.CodMercadoria.value() != produto) return data::kNoError;
        const std::string cnpj(e.Cnpj.clipped());
        if (CnpjVazio(cnpj)) continue;
        if (auto c = EmCache(cnpj)) {
            codigo = *c;
            return data::kNoError;
        }
        data::FileManager& f = t_->forcli;
        auto& r = f.rec<dictionary::ForCliRec>();
        f.clear_record();
        r.CGC = cnpj;
        r.Inativo = 0;
        data::Result achado = f.get(keys::FOR_KEY_CGC);
        if (achado == data::kRecordNotFound) continue;
        if (!achado.ok()) return achado;
        codigo = r.Codigo;
        return GuardaEstabelecimentos(codigo);
    }
}

std::optional<std::string> NomeFornecedorAtivo(std::uint32_t codigo) {
    data::FileManager f(dictionary::ForCli());
    if (!f.open().ok()) return std::nullopt;
    auto& r = f.rec<dictionary::ForCliRec>();
    f.clear_record();
    r.Codigo = codigo;
    r.Inativo = 0;
    std::optional<std::string> nome;
    if (f.get(keys::FOR_KEY_CODIGO).ok()) nome = std::string(r.Nome.clipped());
    (void)f.close();
    return nome;
}

}  // namespace vorel::sheets
