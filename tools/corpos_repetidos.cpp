// corpos_repetidos: names every function body of ten lines or more that two of the given source
// files hold alike, whitespace and comments aside.
//
//     corpos_repetidos [--minimo N] a.cpp b.cpp ...
//
// A body is the text between the braces of a block whose heading ends with a parameter list (a
// function, a member function, a constructor with its initialisers, a lambda), the headings of
// `if`, `for`, `while`, `switch` and `catch` aside. Its lines are compared with every blank taken
// out and the empty ones dropped; a body is counted when ten or more lines remain. Bodies found in
// one file only are not reported (a file's own repeats are `duplicates`' business). Exit code 0
// when no body is shared, 1 when some are (each listed with its two places), 2 on a file that
// cannot be read. Files that do not exist are skipped and named, so a list can keep the names of
// files that were folded away.
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Lugar {
    std::string arquivo;
    int linha = 0;
};

// The code of a file line by line, comments and the contents of string and character literals
// taken out (their quotes kept), so that braces and parentheses in them count for nothing.
std::vector<std::string> SoCodigo(std::istream& in) {
    std::vector<std::string> linhas;
    std::string linha;
    bool emComentario = false;
    std::string fimCru;  // the closing `)delim"` of a raw string still open, else empty
    while (std::getline(in, linha)) {
        std::string codigo;
        for (std::size_t i = 0; i < linha.size(); ++i) {
            const char c = linha[i];
            if (!fimCru.empty()) {
                if (linha.compare(i, fimCru.size(), fimCru) == 0) {
                    codigo += '"';
                    i += fimCru.size() - 1;
                    fimCru.clear();
                }
                continue;
            }
            if (emComentario) {
                if (c == '*' && i + 1 < linha.size() && linha[i + 1] == '/') {
                    emComentario = false;
                    ++i;
                }
                continue;
            }
            if (c == '/' && i + 1 < linha.size() && linha[i + 1] == '/') break;
            if (c == '/' && i + 1 < linha.size() && linha[i + 1] == '*') {
                emComentario = true;
                ++i;
                continue;
            }
            if (c == 'R' && i + 1 < linha.size() && linha[i + 1] == '"' &&
                (i == 0 || !(std::isalnum(static_cast<unsigned char>(linha[i - 1])) || linha[i - 1] == '_'))) {
                const std::size_t abre = linha.find('(', i + 2);
                if (abre != std::string::npos) {
                    fimCru = ")" + linha.substr(i + 2, abre - i - 2) + "\"";
                    codigo += "R\"";
                    i = abre;
                    continue;
                }
            }
            if (c == '"' || (c == '\'' && !(i > 0 && std::isxdigit(static_cast<unsigned char>(linha[i - 1]))))) {
                // A literal: skip to its closing quote (a digit separator like 1'000 is no literal).
                codigo += c;
                std::size_t j = i + 1;
                while (j < linha.size() && linha[j] != c) j += linha[j] == '\\' ? 2 : 1;
                codigo += c;
                i = j;
                continue;
            }
            codigo += c;
        }
        linhas.push_back(codigo);
    }
    return linhas;
}

std::string SemBrancos(const std::string& s) {
    std::string r;
    for (char c : s)
        if (!std::isspace(static_cast<unsigned char>(c))) r += c;
    return r;
}

// Whether the text before a `{` heads a function body.
bool CabecaDeFuncao(const std::string& cabeca) {
    static const std::regex controle(R"(^\s*(\}\s*)?(else\s+)?(if|for|while|switch|catch|do)\b)");
    static const std::regex lista(
        R"(\)\s*(const|override|final|noexcept|mutable|volatile|&|&&|\s|->\s*[\w:<>,\s\*&]+)*$)");
    if (std::regex_search(cabeca, controle)) return false;
    return std::regex_search(cabeca, lista);
}

struct Corpo {
    std::string texto;  // the body's lines without blanks, one per line, empty lines dropped
    int linhas = 0;
    Lugar lugar;
};

// The function bodies of a file.
std::vector<Corpo> Corpos(const std::string& arquivo, const std::vector<std::string>& codigo, int minimo) {
    struct Aberto {
        bool funcao;
        std::size_t linha, coluna;
    };
    std::vector<Corpo> corpos;
    std::vector<Aberto> pilha;
    std::string cabeca;  // the code since the last `;`, `{` or `}`
    for (std::size_t l = 0; l < codigo.size(); ++l) {
        const std::string& s = codigo[l];
        for (std::size_t c = 0; c < s.size(); ++c) {
            if (s[c] == '{') {
                pilha.push_back({CabecaDeFuncao(cabeca), l, c});
                cabeca.clear();
            } else if (s[c] == '}') {
                if (pilha.empty()) continue;
                const Aberto a = pilha.back();
                pilha.pop_back();
                cabeca.clear();
                if (!a.funcao) continue;
                Corpo corpo;
                corpo.lugar = {arquivo, static_cast<int>(a.linha) + 1};
                for (std::size_t k = a.linha; k <= l; ++k) {
                    const std::size_t de = k == a.linha ? a.coluna + 1 : 0;
                    const std::size_t ate = k == l ? c : codigo[k].size();
                    const std::string parte = de < ate ? SemBrancos(codigo[k].substr(de, ate - de)) : std::string();
                    if (parte.empty()) continue;
                    corpo.texto += parte + '\n';
                    ++corpo.linhas;
                }
                if (corpo.linhas >= minimo) corpos.push_back(std::move(corpo));
            } else if (s[c] == ';') {
                cabeca.clear();
            } else {
                cabeca += s[c];
            }
        }
        cabeca += ' ';
    }
    return corpos;
}

}  // namespace

int main(int argc, char** argv) {
    int minimo = 10;
    std::vector<std::string> arquivos;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--minimo" && i + 1 < argc) {
            minimo = std::atoi(argv[++i]);
        } else {
            arquivos.push_back(a);
        }
    }
    std::map<std::string, std::vector<Lugar>> porTexto;
    std::map<std::string, int> linhasDoTexto;
    int lidos = 0;
    for (const std::string& arquivo : arquivos) {
        std::ifstream in(arquivo, std::ios::binary);
        if (!in) {
            std::cout << "ausente (ignorado): " << arquivo << '\n';
            continue;
        }
        const std::vector<std::string> codigo = SoCodigo(in);
        if (in.bad()) {
            std::cerr << "não foi possível ler " << arquivo << '\n';
            return 2;
        }
        ++lidos;
        for (Corpo& c : Corpos(arquivo, codigo, minimo)) {
            linhasDoTexto[c.texto] = c.linhas;
            porTexto[c.texto].push_back(c.lugar);
        }
    }
    int repetidos = 0;
    for (const auto& [texto, lugares] : porTexto) {
        bool outroArquivo = false;
        for (const Lugar& l : lugares) outroArquivo = outroArquivo || l.arquivo != lugares.front().arquivo;
        if (!outroArquivo) continue;
        ++repetidos;
        std::cout << "corpo de " << linhasDoTexto[texto] << " linhas repetido:";
        for (const Lugar& l : lugares) std::cout << ' ' << l.arquivo << ':' << l.linha;
        std::cout << '\n';
    }
    std::cout << lidos << " arquivos lidos; " << repetidos << " corpos de " << minimo
              << " linhas ou mais repetidos entre arquivos\n";
    return repetidos == 0 ? 0 : 1;
}
