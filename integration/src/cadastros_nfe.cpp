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

std::string Campo(const std::string& linha, int inicio, int fim) { return CortaCampo(linha, {inicio, fim}); }
long long Inteiro(const std::string& linha, int inicio, int fim) {
    return ValorNumerico(std::string(text::trim(Campo(linha, inicio, fim)))).to_integer();
}

// ddmmyyyy: a date when the day is above 0, else 0.
std::int32_t Data(const std::string& linha, int inicio) {
    const int dia = static_cast<int>(Inteiro(linha, inicio, inicio + 1));
    const int mes = static_cast<int>(Inteiro(linha, inicio + 2, inicio + 3));
    const int ano = static_cast<int>(Inteiro(linha, inicio + 4, inicio + 7));
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
        const std::string texto(text::trim(Campo(linha, 1, 14)));
        const bool porApelido = intProdutos != 0 || !SomenteDigitos(texto);
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
        p.Produtos = Campo(linha, 31, 130);
        p.Alicota = Decimal::from_scaled(Inteiro(linha, 131, 136), 2);
        p.Medida = std::string(text::clip(Campo(linha, 137, 139)));
        p.DataInicio = Data(linha, 140);
        p.DataFinal = Data(linha, 148);
        p.NBM = Campo(linha, 15, 27);
        p.Grupo = static_cast<std::uint16_t>(Inteiro(linha, 28, 30));
        p.NCM = Campo(linha, 163, 170);
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
        const long long tipo = Inteiro(linha, 207, 207);
        const std::string cnpj = Campo(linha, 208, 221), cpf = Campo(linha, 222, 232), ie = Campo(linha, 233, 252);
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
        f.SeuCodigo = static_cast<std::int32_t>(Inteiro(linha, 1, 7));
        f.Nome = Campo(linha, 8, 47);
        f.Endereco = Campo(linha, 48, 87);
        f.Numero = static_cast<std::uint32_t>(Inteiro(linha, 88, 97));
        f.Complemento = Campo(linha, 98, 122);
        f.Bairro = Campo(linha, 123, 147);
        f.Cidade = Campo(linha, 148, 172);
        f.Estado = Campo(linha, 173, 174);
        f.Cep = static_cast<std::uint32_t>(Inteiro(linha, 175, 182));
        f.DDD = static_cast<std::uint16_t>(Inteiro(linha, 183, 185));
        f.Telefone = static_cast<std::uint32_t>(Inteiro(linha, 186, 193));
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
