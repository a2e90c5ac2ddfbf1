#include "CommandLindArgs.h"

#include <stdexcept>
#include <vector>

std::map<std::string, ConvertType> CommandLindArgs::convertTypeMap;

CommandLindArgs::CommandLindArgs(int argc, char** argv)
{
    creatorMap(convertTypeMap);
    init(argc, argv);
}

CommandLindArgs::~CommandLindArgs() = default;

void CommandLindArgs::creatorMap(std::map<std::string, ConvertType>& map)
{
    // insert() keeps an existing entry, so "pdf" stays with ToOcrPdf.
    for (int i = 0; i <= ToNumbers; ++i)
        map.insert({convertFormatSuffix[static_cast<std::size_t>(i)], static_cast<ConvertType>(i)});
}

void CommandLindArgs::init(int argc, char** argv)
{
    if (argc < 2 || argv == nullptr)
        return;
    std::vector<std::string> list;
    for (int i = 1; i < argc; ++i)
        list.emplace_back(argv[i] ? argv[i] : "");

    auto isKey = [](std::string const& s) { return !s.empty() && s.front() == '-'; };
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!isKey(list[i]))
            continue;
        std::string const& key = list[i];
        std::string value;
        // A following element that is not a key is this key's value, even when empty.
        if (i + 1 < list.size() && !isKey(list[i + 1]))
            value = list[++i];
        m_args.insert({key, value});
    }
}

bool CommandLindArgs::isSet(std::string const& key) const
{
    return m_args.count(key) != 0;
}

std::string CommandLindArgs::value(std::string const& key) const
{
    auto it = m_args.find(key);
    if (it == m_args.end())
        throw std::runtime_error("Command error");
    return it->second;
}
