#include "cli/CliBashCompletion.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "graph/PlotQuantities.h"
#include "model/GunParameters.h"

namespace {

struct NameWord {
    std::string word;  // as the help writes it
    std::string kind;
};

const NameWord NameWords[] = {{"NAME", "parameter"}, {"QUANTITY", "quantity"}, {"AXIS", "axis"}};

template <class Items>
std::string SeriesNames(const Items& items) {
    std::string names;
    for (const auto& item : items) {
        names += std::string(names.empty() ? "" : " ") + item.series->name;
    }
    return names;
}

std::string ParameterNames() {
    std::string names;
    for (const GunParameterInfo& info : GunParameterTable) {
        names += std::string(names.empty() ? "" : " ") + info.fieldName;
    }
    for (const OptionalParameterInfo& info : OptionalParameterTable) {
        names += std::string(" ") + info.fieldName;
    }
    return names;
}

// The words are names and kinds of our own, but a quote inside one must not end the string.
std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// The part that does not change with the commands: it reads the tables above it.
constexpr const char* CompletionFunctions = R"(
# Offers the values of a kind (see ValueKind in packaging/CliBashCompletion.h) for $cur.
_velloran_cli_values()
{
    local kind=$1 names
    case $kind in
        file) _filedir; return ;;
        file.*) _filedir "${kind#file.}"; return ;;
        parameter*) names=$_velloran_cli_parameters ;;
        quantity*) names=$_velloran_cli_quantities ;;
        axis*) names=$_velloran_cli_axes ;;
        *) return ;;
    esac
    case $kind in
        *=)
            # The name and its equals sign; what follows it is typed by hand.
            [[ $cur == *=* ]] && return
            mapfile -t COMPREPLY < <(compgen -W "$names" -S = -- "$cur")
            compopt -o nospace
            ;;
        *,)
            local chosen=
            [[ $cur == *,* ]] && chosen=${cur%,*},
            mapfile -t COMPREPLY < <(compgen -W "$names" -P "$chosen" -- "${cur##*,}")
            compopt -o nospace
            ;;
        *)
            mapfile -t COMPREPLY < <(compgen -W "$names" -- "$cur")
            ;;
    esac
}

_velloran_cli()
{
    local cur prev words cword split
    # Keep NAME=FROM:TO:STEPS one word, and split --option=value.
    _init_completion -s -n : || return

    if ((cword == 1)); then
        if [[ $cur == -* ]]; then
            mapfile -t COMPREPLY < <(compgen -W '-h --help --version' -- "$cur")
        else
            mapfile -t COMPREPLY < <(compgen -W "$_velloran_cli_commands help" -- "$cur")
        fi
        return
    fi
    local command=${words[1]}
    [[ ${_velloran_cli_options[$command]+set} ]] || return

    if [[ ${_velloran_cli_value_kinds["$command $prev"]+set} ]]; then
        _velloran_cli_values "${_velloran_cli_value_kinds["$command $prev"]}"
        return
    fi
    $split && return

    # Which positional argument this word is: the words before it, less options and their
    # values.
    local i position=0 optionsEnded=false
    for ((i = 2; i < cword; i++)); do
        if $optionsEnded || [[ ${words[i]} != -* ]]; then
            ((position++))
        elif [[ ${words[i]} == -- ]]; then
            optionsEnded=true
        elif [[ ${words[i]} != *=* ]] &&
            [[ ${_velloran_cli_value_kinds["$command ${words[i]}"]+set} ]]; then
            ((i++))
        fi
    done
    if ! $optionsEnded && [[ $cur == -* ]]; then
        local options="${_velloran_cli_options[$command]} -h --help"
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
        return
    fi
    # A kind ending in "+" takes all the arguments from its position on.
    local positionals
    read -ra positionals <<<"${_velloran_cli_positionals[$command]}"
    local kind=${positionals[position]-}
    if [[ -z $kind ]] && ((${#positionals[@]})) && [[ ${positionals[-1]} == *+ ]]; then
        kind=${positionals[-1]}
    fi
    _velloran_cli_values "${kind%+}"
} &&
    complete -F _velloran_cli velloran-cli
)";

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::string ValueKind(const std::string& valueText) {
    for (const NameWord& name : NameWords) {
        if (!StartsWith(valueText, name.word)) {
            continue;
        }
        const std::string rest = valueText.substr(name.word.size());
        if (rest.empty()) {
            return name.kind;
        }
        if (rest[0] == '=') {
            return name.kind + '=';
        }
        if (rest[0] == '[' || rest[0] == ',') {
            return name.kind + ',';
        }
    }
    // FILE.png names one extension, FILE.png|svg|pdf several: the pattern _filedir takes.
    const size_t dot = valueText.rfind('.');
    if (dot != std::string::npos && dot + 1 < valueText.size() &&
        std::all_of(valueText.begin() + static_cast<long>(dot) + 1, valueText.end(),
                    [](unsigned char c) { return std::isalnum(c) != 0 || c == '|'; })) {
        const std::string extensions = valueText.substr(dot + 1);
        return "file." +
               (extensions.find('|') == std::string::npos ? extensions : "@(" + extensions + ")");
    }
    if (valueText.find("FILE") != std::string::npos) {
        return "file";
    }
    return "text";
}

std::string CliBashCompletion(const std::vector<CliCommandReference>& commands) {
    std::ostringstream script;
    script << "# bash completion for velloran-cli, written at build time from the tool's own "
              "commands.\n\n";
    std::string commandNames;
    for (const CliCommandReference& command : commands) {
        commandNames += (commandNames.empty() ? "" : " ") + command.name;
    }
    script << "_velloran_cli_commands=" << Quoted(commandNames) << '\n'
           << "_velloran_cli_parameters=" << Quoted(ParameterNames()) << '\n'
           << "_velloran_cli_quantities=" << Quoted(SeriesNames(PlotQuantities)) << '\n'
           << "_velloran_cli_axes=" << Quoted(SeriesNames(PlotAxes)) << "\n\n";

    script << "# Each command's options.\ndeclare -gA _velloran_cli_options=(\n";
    for (const CliCommandReference& command : commands) {
        std::string names;
        for (const CliArgumentReference& option : command.options) {
            for (const std::string& name : option.names) {
                names += (names.empty() ? "" : " ") + name;
            }
        }
        script << "    [" << command.name << "]=" << Quoted(names) << '\n';
    }
    script << ")\n# The kind of value that each option of a command takes, when it takes one.\n"
              "declare -gA _velloran_cli_value_kinds=(\n";
    for (const CliCommandReference& command : commands) {
        for (const CliArgumentReference& option : command.options) {
            if (option.valueText.empty()) {
                continue;
            }
            for (const std::string& name : option.names) {
                script << "    [" << Quoted(command.name + ' ' + name)
                       << "]=" << Quoted(ValueKind(option.valueText)) << '\n';
            }
        }
    }
    script << ")\n# The kinds of each command's positional arguments, in their order; \"+\" marks\n"
              "# one that takes the rest.\n"
              "declare -gA _velloran_cli_positionals=(\n";
    for (const CliCommandReference& command : commands) {
        std::string kinds;
        for (const CliArgumentReference& positional : command.positionals) {
            kinds += (kinds.empty() ? "" : " ") + ValueKind(positional.names.front()) +
                     (positional.repeats ? "+" : "");
        }
        script << "    [" << command.name << "]=" << Quoted(kinds) << '\n';
    }
    script << ')' << CompletionFunctions;
    return script.str();
}
