// saiha-calc-docs: the manual pages and the bash and zsh completions of
// saiha-calc, made at build time from its option model, so that every option
// of every mode appears in them as it appears in --help.
//
//   saiha-calc-docs DIR   writes DIR/saiha-calc.1, DIR/saiha-calc-MODE.1 for
//                         each subcommand, DIR/saiha-calc.bash, DIR/_saiha-calc
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/options.h"
#include "saiha/version.h"

namespace {

using namespace saiha::cli;

// One option as the help lists it.
struct OptionDoc {
  std::vector<std::string> names;  // "-o", "--output"; a positional: its name
  std::string value;               // "FILE"; empty for a flag
  std::string help;
  std::vector<std::string> choices;
  bool positional = false;
  bool shared = false;
};

struct CommandDoc {
  std::string name;  // empty for the top level
  std::string summary;
  std::string footer;
  std::vector<OptionDoc> options;
  bool readsFile = false;
  std::vector<Command::Example> examples;
};

std::vector<CommandDoc> describe(OptionModel& model) {
  std::vector<CommandDoc> docs;
  for (const auto& command : model.commands()) {
    CLI::App& app = model.appOf(*command);
    CommandDoc doc{std::string(command->name()), command->summary(), command->footer(), {}, false,
                   command->examples()};
    for (const CLI::Option* option : app.get_options()) {
      if (option->get_group().empty()) continue;  // refused here: not an option of this mode
      if (option == app.get_help_ptr() || option->get_name() == "--version") continue;
      OptionDoc o;
      o.positional = option->get_lnames().empty() && option->get_snames().empty();
      if (o.positional) {
        o.names.push_back(option->get_name());
        doc.readsFile = true;
      }
      for (const auto& s : option->get_snames()) o.names.push_back("-" + s);
      for (const auto& l : option->get_lnames()) o.names.push_back("--" + l);
      if (!o.positional && option->get_items_expected_max() > 0) {
        o.value = option->get_option_text().empty() ? "VALUE" : option->get_option_text();
      }
      o.help = option->get_description();
      o.shared = option->get_group() == "Shared options";
      for (const SharedOptionInfo& s : sharedOptions()) {
        if (!o.names.empty() && o.names.back() == s.longName) o.choices = s.choices;
      }
      if (auto c = model.choices().find(o.names.back()); c != model.choices().end()) {
        o.choices = c->second;
      }
      doc.options.push_back(std::move(o));
    }
    docs.push_back(std::move(doc));
  }
  return docs;
}

// ------------------------------------------------------------ manual pages

// Text safe in roff: backslashes escaped, a line that starts with a dot or an
// apostrophe kept as text, hyphens of option names as minus signs.
std::string roff(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') out += "\\e";
    else out += c;
  }
  std::string lines, line;
  std::istringstream in(out);
  while (std::getline(in, line)) {
    if (!line.empty() && (line[0] == '.' || line[0] == '\'')) line = "\\&" + line;
    lines += line + "\n";
  }
  return lines;
}

std::string roffName(const std::string& name) {
  std::string out;
  for (char c : name) out += c == '-' ? std::string("\\-") : std::string(1, c);
  return out;
}

std::string pageName(const CommandDoc& c) {
  return c.name.empty() ? std::string(kProgramName) : std::string(kProgramName) + "-" + c.name;
}

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string manPage(const CommandDoc& c, const std::vector<CommandDoc>& all) {
  std::ostringstream m;
  const std::string page = pageName(c);
  m << ".TH " << upper(page) << " 1 \"\" \"" << kProgramName << " " << SAIHA_VERSION
    << "\" \"User Commands\"\n";
  m << ".SH NAME\n" << roffName(page) << " \\- " << roff(c.summary);
  m << ".SH SYNOPSIS\n.B " << kProgramName << (c.name.empty() ? "" : " " + c.name) << "\n";
  m << "[\\fIOPTIONS\\fR]" << (c.readsFile ? " [\\fIFILE\\fR]" : "") << "\n";
  m << ".SH DESCRIPTION\n" << roff(c.summary);
  if (c.name.empty()) {
    m << ".PP\nEach mode is a subcommand with a page of its own:";
    for (const CommandDoc& other : all) {
      if (!other.name.empty()) m << " \\fB" << roffName(pageName(other)) << "\\fR(1)";
    }
    m << ".\n";
  }
  for (const bool shared : {false, true}) {
    m << ".SH " << (shared ? "\"SHARED OPTIONS\"" : "OPTIONS") << "\n";
    if (shared) {
      m << "These options are the same in every mode of " << kProgramName
        << " and may stand before or after the subcommand.\n";
    }
    for (const OptionDoc& o : c.options) {
      if (o.shared != shared) continue;
      m << ".TP\n";
      for (std::size_t i = 0; i < o.names.size(); ++i) {
        m << (i ? ", " : "") << (o.positional ? "\\fI" : "\\fB") << roffName(o.names[i])
          << "\\fR";
      }
      if (!o.value.empty()) m << " \\fI" << o.value << "\\fR";
      m << "\n" << roff(o.help);
    }
  }
  // The footer's paragraphs: a line at the margin ending in ':' heads a part.
  std::istringstream footer(c.footer);
  std::string line;
  bool open = false;
  while (std::getline(footer, line)) {
    if (!line.empty() && line[0] != ' ' && line.back() == ':') {
      if (open) m << ".fi\n";
      std::string heading;
      for (char ch : line.substr(0, line.size() - 1)) heading += ch == '"' ? "\\(dq" : std::string(1, ch);
      m << ".SS \"" << heading << "\"\n.nf\n";
      open = true;
      continue;
    }
    if (!open) {
      m << ".SS Details\n.nf\n";
      open = true;
    }
    m << roff(line.empty() ? std::string() : line);
  }
  if (open) m << ".fi\n";
  // Each example: what it does, then its command line as typed.
  if (!c.examples.empty()) m << ".SH EXAMPLES\n";
  for (const Command::Example& e : c.examples) {
    m << ".PP\n" << roff(std::string(e.what) + ":") << ".PP\n.RS 4\n.EX\n"
      << roffName(std::string(e.line)) << "\n.EE\n.RE\n";
  }
  // Where the package (or `cmake --install`, under its prefix) puts the
  // documentation and the examples the pages do not hold.
  m << ".SH FILES\n.TP\n.I /usr/share/doc/saiha\n"
    << roff("The README, the documentation (docs/cli.md, docs/transform.md, docs/python.md ...) and "
            "the examples (examples/barred_profile.csv, a synthetic barred beach; "
            "examples/conditions.csv, three days of hourly sea states; examples/cases.csv); "
            "share/doc/saiha under the prefix of another install.");
  m << ".SH \"SEE ALSO\"\n";
  bool first = true;
  for (const CommandDoc& other : all) {
    if (&other == &c) continue;
    m << (first ? "" : ",\n") << "\\fB" << roffName(pageName(other)) << "\\fR(1)";
    first = false;
  }
  m << "\n";
  return m.str();
}

// ------------------------------------------------------------ completions

std::string joined(const std::vector<std::string>& words) {
  std::string out;
  for (const auto& w : words) out += (out.empty() ? "" : " ") + w;
  return out;
}

std::string bashCompletion(const std::vector<CommandDoc>& all) {
  std::vector<std::string> subcommands;
  for (const CommandDoc& c : all) {
    if (!c.name.empty()) subcommands.push_back(c.name);
  }
  std::string pattern;
  for (const auto& s : subcommands) pattern += (pattern.empty() ? "" : " | ") + s;
  std::ostringstream o;
  o << "# bash completion for " << kProgramName << "                -*- shell-script -*-\n"
    << "# Made from the option model at build time; installed under\n"
    << "# share/bash-completion/completions.\n\n"
    << "_saiha_calc() {\n"
    << "  local cur prev words cword\n"
    << "  _init_completion || return\n\n"
    << "  local command=\"\" i\n"
    << "  for ((i = 1; i < cword; i++)); do\n"
    << "    case ${words[i]} in " << pattern << ") command=${words[i]}; break ;; esac\n"
    << "  done\n";
  o << "\n  case $prev in\n";
  // Values: the choices of an option, a file for -o, nothing to offer for a number.
  std::set<std::string> seen;
  std::vector<std::string> numbers;
  for (const CommandDoc& c : all) {
    for (const OptionDoc& opt : c.options) {
      if (opt.positional || opt.value.empty()) continue;
      std::string names;
      for (const auto& n : opt.names) names += (names.empty() ? "" : " | ") + n;
      if (!seen.insert(names + joined(opt.choices)).second) continue;
      if (!opt.choices.empty()) {
        std::string words = joined(opt.choices);
        if (opt.names.back() == "--delimiter") words = "\\; , tab";
        o << "    " << names << ") COMPREPLY=($(compgen -W \"" << words
          << "\" -- \"$cur\")); return ;;\n";
      } else if (opt.value == "FILE") {
        o << "    " << names << ") _filedir; return ;;\n";
      } else {
        for (const auto& n : opt.names) numbers.push_back(n);
      }
    }
  }
  std::set<std::string> unique(numbers.begin(), numbers.end());
  std::string list;
  for (const auto& n : unique) list += (list.empty() ? "" : " | ") + n;
  o << "    " << list << ") return ;;  # a number\n  esac\n\n";
  o << "  local options files=0\n  case $command in\n";
  for (const CommandDoc& c : all) {
    std::vector<std::string> names;
    for (const OptionDoc& opt : c.options) {
      if (opt.positional) continue;
      for (const auto& n : opt.names) names.push_back(n);
    }
    names.push_back("--help");
    if (c.name.empty()) names.push_back("--version");
    o << "    " << (c.name.empty() ? "\"\"" : c.name) << ") options=\"" << joined(names)
      << "\"" << (c.readsFile ? "; files=1" : "") << " ;;\n";
  }
  o << "  esac\n"
    << "  if [[ $cur == -* ]]; then\n"
    << "    COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
    << "    return\n"
    << "  fi\n"
    << "  [[ -z $command ]] && COMPREPLY=($(compgen -W \"" << joined(subcommands)
    << "\" -- \"$cur\"))\n"
    << "  ((files)) && _filedir csv  # the CSV file of waves\n"
    << "} &&\n  complete -F _saiha_calc " << kProgramName << "\n";
  return o.str();
}

// A help text fit inside a zsh option description: its first clause, with
// no brackets, colons or quotes.
std::string zshDescription(const std::string& help) {
  std::string out;
  for (char c : help.substr(0, help.find_first_of(";("))) {
    if (c == '[' || c == ']' || c == ':' || c == '\'' || c == '\\' || c == '`' || c == '"') continue;
    out += c;
  }
  while (!out.empty() && (out.back() == ' ' || out.back() == ',' || out.back() == '.')) out.pop_back();
  return out;
}

std::string zshSpec(const OptionDoc& o) {
  std::string exclusive;
  if (o.names.size() > 1) exclusive = "(" + joined(o.names) + ")";
  std::string names = o.names.size() > 1 ? "{" : "";
  for (std::size_t i = 0; i < o.names.size(); ++i) names += (i ? "," : "") + o.names[i];
  if (o.names.size() > 1) names += "}";
  std::string value;
  if (!o.value.empty()) {
    std::string action = " ";
    if (!o.choices.empty()) {
      action = "(" + joined(o.choices) + ")";
      if (o.names.back() == "--delimiter") action = "(\\; , tab)";
    } else if (o.value == "FILE") {
      action = "_files";
    }
    value = ":" + o.value + ":" + action;
  }
  const std::string body = "[" + zshDescription(o.help) + "]" + value;
  if (o.names.size() > 1) return "'" + exclusive + "'" + names + "'" + body + "'";
  return "'" + names + body + "'";
}

std::string zshCompletion(const std::vector<CommandDoc>& all) {
  std::vector<std::string> subcommands;
  for (const CommandDoc& c : all) {
    if (!c.name.empty()) subcommands.push_back(c.name);
  }
  std::ostringstream z;
  z << "#compdef " << kProgramName << "\n"
    << "# zsh completion for " << kProgramName << ", made from the option model at build time.\n\n"
    << "_saiha_calc() {\n"
    << "  local -a subcommands=(" << joined(subcommands) << ")\n"
    << "  local i command=\n"
    << "  for (( i = 2; i < CURRENT; i++ )); do\n"
    << "    if (( ${subcommands[(Ie)${words[i]}]} )); then command=${words[i]}; break; fi\n"
    << "  done\n"
    << "  if [[ -n $command ]]; then\n"
    << "    shift $(( i - 1 )) words\n"
    << "    (( CURRENT -= i - 1 ))\n"
    << "  fi\n"
    << "  case $command in\n";
  for (const CommandDoc& c : all) {
    z << "    " << (c.name.empty() ? "''" : c.name) << ")\n      _arguments -s : \\\n";
    for (const OptionDoc& o : c.options) {
      if (o.positional) continue;
      z << "        " << zshSpec(o) << " \\\n";
    }
    z << "        '(- *)'{-h,--help}'[print the help and exit]' \\\n";
    if (c.name.empty()) {
      z << "        '(- *)--version[print the version and exit]' \\\n"
        << "        '1: :(" << joined(subcommands) << ")' \\\n";
    }
    z << "        " << (c.readsFile ? "'*:CSV file:_files'" : "'*::'") << "\n      ;;\n";
  }
  z << "  esac\n}\n\n_saiha_calc \"$@\"\n";
  return z.str();
}

bool write(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  out.close();
  if (!out) std::cerr << "saiha-calc-docs: cannot write " << path << "\n";
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: saiha-calc-docs DIR\n";
    return 2;
  }
  const std::string dir = argv[1];
  OptionModel model;
  const std::vector<CommandDoc> docs = describe(model);
  bool ok = true;
  for (const CommandDoc& c : docs) ok = write(dir + "/" + pageName(c) + ".1", manPage(c, docs)) && ok;
  ok = write(dir + "/saiha-calc.bash", bashCompletion(docs)) && ok;
  ok = write(dir + "/_saiha-calc", zshCompletion(docs)) && ok;
  return ok ? 0 : 1;
}
