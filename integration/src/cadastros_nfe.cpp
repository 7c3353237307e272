// The products and partners of the NF-e reader's files into the registers.
#include "vorel/integration/cadastros_nfe.h"

#include <fstream>
#include <vector>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/integration/linhas_nfe.h"
#include "vorel/integration/product_lookup.h"
#include "vorel/integration/text_import.h"
#include "vorel/shell/text_report.h"

namespace vorel::integration {

namespace {

namespace keys = dictionary::keys;

std::vector<std::string> LinhasDe(const std::string& arquivo) {
    std::vector<std::string> out;
    std::ifstream in(files::resolve(arquivo), std::ios::binary);
    for (std::string l; in && std::getline(in, l);) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        out.push_back(std::move(l));
    }
    return out;
}

// The fields of a line of the products (format B) or partners (format C) layout.
constexpr Posicao Colunas(CampoProduto c) { return kLayoutProdutos[c]; }
constexpr Posicao Colunas(CampoParte c) { return kLayoutPartes[c]; }
template <class C>
std::string Campo(const std::string& linha, C campo) {
    return CortaCampo(linha, Colunas(campo));
}
template <class C>
long long Inteiro(const std::string& linha, C campo) {
    return ValorNumerico(std::string(text::trim(Campo(linha, campo)))).to_integer();
}

// ddmmyyyy: a date when the day is above 0, else 0.
std::int32_t Data(const std::string& linha, CampoProduto campo) {
    const std::string d = Campo(linha, campo);
    const int dia = static_cast<int>(ValorNumerico(std::string(text::trim(d.substr(0, 2)))).to_integer());
    const int mes = static_cast<int>(ValorNumerico(std::string(text::trim(d.substr(2, 2)))).to_integer());
    const int ano = static_cast<int>(ValorNumerico(std::string(text::trim(d.substr(4, 4)))).to_integer());
    return dia > 0 && mes >= 1 && mes <= 12 ? date::make(ano, mes, dia) : 0;
}

// Tables of the thread's dictionary opened for one step and closed after it.
struct Abertas {
    std::vector<data::FileManager*> f;
    data::Result falha;
    explicit Abertas(std::initializer_list<const data::TableDesc*> tabelas) {
        for (const data::TableDesc* t : tabelas) {
            data::FileManager& fm = data::dictionary::file(*t);
            if (falha = fm.open(); !falha.ok()) return;
            f.push_back(&fm);
        }
    }
    ~Abertas() {
        for (data::FileManager* fm : f) (void)fm->close();
    }
};

// The last line's progress call, then the commit; a failed or stopped step is rolled back.
ResultadoCadastro Encerra(ResultadoCadastro& r, data::Transaction& tx, const ProgressoCadastro& progresso, long total) {
    if (r.ok() && r.linhas > 0 && progresso && !progresso(r.linhas, total)) r.interrompida = true;
    if (r.ok()) r.falha = tx.commit();
    if (!r.ok() && tx.active()) (void)tx.rollback();
    return r;
}

}  // namespace

ResultadoCadastro ImportaProdutosNfe(const std::string& arquivo, int intProdutos, bool entrada, int mes, int ano,
                                     const ProgressoCadastro& progresso) {
    ResultadoCadastro r;
    Abertas abertas({&dictionary::Produtos(), &dictionary::ProdutosAliq()});
    if (r.falha = abertas.falha; !r.falha.ok()) return r;
    data::FileManager& pro = *abertas.f[0];
    data::FileManager& aliq = *abertas.f[1];
    auto& p = pro.rec<dictionary::ProdutosRec>();
    auto& a = aliq.rec<dictionary::ProdutosAliqRec>();
    data::Transaction tx({&pro, &aliq}, 1);
    if (r.falha = tx.status(); !r.falha.ok()) return r;

    Decimal proximoCodigo(0), proximaAliquota(0);
    bool temCodigo = false, temAliquota = false;
    const std::vector<std::string> linhas = LinhasDe(arquivo);
    for (const std::string& linha : linhas) {
        if (r.linhas > 0 && progresso && !progresso(r.linhas, static_cast<long>(linhas.size()))) {
            r.interrompida = true;
            break;
        }
        ++r.linhas;
        const std::string texto(text::trim(Campo(linha, CampoProduto::CodigoInteiro)));
        // A code of letters, or of more digits than a product code holds, goes by nickname.
        const std::optional<Decimal> numero = NumeroDoTexto(texto, 0);
        const bool porApelido = intProdutos != 0 || !SomenteDigitos(texto) || !numero || !numero->fits(15, 0);
        pro.clear_record();
        if (porApelido) {
            p.Apelido = texto;
        } else {
            p.Codigo = ValorNumerico(texto);
        }
        const bool existe = pro.get(porApelido ? keys::PRO_Key_Apelido : keys::PRO_KEY_CODIGO).ok();
        if (!existe) {
            pro.clear_record();
            if (porApelido) {
                if (!temCodigo) {
                    pro.clear_record();
                    p.Codigo = Decimal::from_string("99999999999999");
                    proximoCodigo = Decimal(1);
                    if (pro.set_at(keys::PRO_KEY_CODIGO).ok() && pro.previous().ok())
                        proximoCodigo = static_cast<const Decimal&>(p.Codigo) + Decimal(1);
                    temCodigo = true;
                    pro.clear_record();
                }
                p.Codigo = proximoCodigo;
                proximoCodigo = proximoCodigo + Decimal(1);
                p.Apelido = texto;
            } else {
                p.Codigo = ValorNumerico(texto);
            }
        }
        p.Produtos = Campo(linha, CampoProduto::Descricao);
        p.Alicota = Decimal::from_scaled(Inteiro(linha, CampoProduto::Aliquota), 2);
        p.Medida = std::string(text::clip(Campo(linha, CampoProduto::Unidade)));
        p.DataInicio = Data(linha, CampoProduto::DataInicial);
        p.DataFinal = Data(linha, CampoProduto::DataFinal);
        p.NBM = Campo(linha, CampoProduto::Nbm);
        p.Grupo = static_cast<std::uint16_t>(Inteiro(linha, CampoProduto::Grupo));
        p.NCM = Campo(linha, CampoProduto::Ncm);
        p.MesImport = date::make(ano, mes, 1);
        if (r.falha = existe ? pro.put() : pro.add(); !r.falha.ok()) break;
        if (!existe) ++r.novos;

        // Entries: a product's first rate at or above this one opens its history.
        const Decimal codigo = p.Codigo, aliquota = p.Alicota;
        if (!entrada || codigo <= Decimal(0) || aliquota <= Decimal(0)) continue;
        aliq.clear_record();
        a.CODIGO_PRODUTO = codigo;
        a.ALIQUOTA = aliquota;
        if (aliq.set_at(aliq.key_number(keys::PALIQ_KEY_PRODUTOALIQ), 2).ok() && aliq.next().ok() &&
            static_cast<const Decimal&>(a.CODIGO_PRODUTO) == codigo)
            continue;
        if (!temAliquota) {
            aliq.clear_record();
            proximaAliquota = Decimal(1);
            if (aliq.set(keys::PALIQ_Key_Codigo).ok() && aliq.previous().ok())
                proximaAliquota = static_cast<const Decimal&>(a.CODIGO) + Decimal(1);
            temAliquota = true;
        }
        aliq.clear_record();
        a.CODIGO_PRODUTO = codigo;
        a.CODIGO = proximaAliquota;
        a.ALIQUOTA = aliquota;
        a.DATA_INICIAL = date::make(1900, 1, 1);
        proximaAliquota = proximaAliquota + Decimal(1);
        if (r.falha = aliq.add(); !r.falha.ok()) break;
    }
    return Encerra(r, tx, progresso, static_cast<long>(linhas.size()));
}

ResultadoCadastro ImportaFornecedoresNfe(const std::string& arquivo, bool sobrescreve,
                                         const ProgressoCadastro& progresso) {
    ResultadoCadastro r;
    Abertas abertas({&dictionary::ForCli(), &dictionary::Municipios()});
    if (r.falha = abertas.falha; !r.falha.ok()) return r;
    data::FileManager& forcli = *abertas.f[0];
    data::FileManager& mun = *abertas.f[1];
    auto& f = forcli.rec<dictionary::ForCliRec>();
    auto& m = mun.rec<dictionary::MunicipiosRec>();
    data::Transaction tx({&forcli}, 1);
    if (r.falha = tx.status(); !r.falha.ok()) return r;

    std::uint32_t proximo = 0;
    bool temProximo = false;
    const std::vector<std::string> linhas = LinhasDe(arquivo);
    for (const std::string& linha : linhas) {
        if (r.linhas > 0 && progresso && !progresso(r.linhas, static_cast<long>(linhas.size()))) {
            r.interrompida = true;
            break;
        }
        ++r.linhas;
        const long long tipo = Inteiro(linha, CampoParte::Tipo);
        const std::string cnpj = Campo(linha, CampoParte::Cnpj), cpf = Campo(linha, CampoParte::Cpf), ie = Campo(linha, CampoParte::Ie);
        bool existe = false;
        forcli.clear_record();
        if (tipo == 1) {
            f.CGC = cnpj;
            existe = forcli.get(keys::FOR_KEY_CGC).ok();
        } else if (tipo == 2) {
            // One record per state registration of the CPF.
            f.CPF = cpf;
            if (forcli.set_at(forcli.key_number(keys::FOR_KEY_CPF), 1).ok())
                while (forcli.next().ok() && std::string(f.CPF.clipped()) == text::clip(cpf)) {
                    if (f.Inativo == 0 && text::clip(f.InscricaoEstadual.value()) == text::clip(ie)) {
                        existe = true;
                        break;
                    }
                }
        } else {
            continue;
        }
        if (existe && !sobrescreve) continue;
        if (!existe) {
            if (!temProximo) {
                forcli.clear_record();
                if (forcli.set(keys::FOR_KEY_CODIGO).ok() && forcli.previous().ok()) proximo = f.Codigo;
                temProximo = true;
            }
            forcli.clear_record();
            f.Codigo = ++proximo;
        }
        f.SeuCodigo = static_cast<std::int32_t>(Inteiro(linha, CampoParte::Codigo));
        f.Nome = Campo(linha, CampoParte::Nome);
        f.Endereco = Campo(linha, CampoParte::Endereco);
        f.Numero = static_cast<std::uint32_t>(Inteiro(linha, CampoParte::Numero));
        f.Complemento = Campo(linha, CampoParte::Complemento);
        f.Bairro = Campo(linha, CampoParte::Bairro);
        f.Cidade = Campo(linha, CampoParte::Cidade);
        f.Estado = Campo(linha, CampoParte::Uf);
        f.Cep = static_cast<std::uint32_t>(Inteiro(linha, CampoParte::Cep));
        f.DDD = static_cast<std::uint16_t>(Inteiro(linha, CampoParte::Ddd));
        f.Telefone = static_cast<std::uint32_t>(Inteiro(linha, CampoParte::Telefone));
        f.TipoInscricao = static_cast<std::uint8_t>(tipo);
        f.CGC = cnpj;
        f.CPF = cpf;
        f.InscricaoEstadual = ie;
        f.Clientes = 1;
        const std::string cidade(text::clip(f.Cidade.value()));
        const std::string uf(text::clip(f.Estado.value()));
        if (!cidade.empty() && !uf.empty()) {
            mun.clear_record();
            m.ESTADO = uf;
            m.NOME_DOS = text::upper(shell::RetiraAcentos(cidade));
            if (mun.get(keys::MUN_KEY_NOME_MAIUS).ok()) f.Cidade = std::string(text::clip(m.NOME.value()));
        }
        if (r.falha = existe ? forcli.put() : forcli.add(); !r.falha.ok()) break;
        if (!existe) ++r.novos;
    }
    return Encerra(r, tx, progresso, static_cast<long>(linhas.size()));
}

}  // namespace vorel::integration
