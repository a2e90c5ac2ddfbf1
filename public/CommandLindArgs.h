#pragma once

#include "common/ConvertTypes.h"

#include <map>
#include <string>

// Parses "-key value" pairs of an argument vector. The first occurrence of a key wins.
class CommandLindArgs
{
public:
    CommandLindArgs(int argc, char** argv);
    ~CommandLindArgs();

    static void creatorMap(std::map<std::string, ConvertType>& map);
    void init(int argc, char** argv);
    bool isSet(std::string const& key) const;
    // Throws std::runtime_error("Command error") for a key that was not given.
    std::string value(std::string const& key) const;

    static std::map<std::string, ConvertType> convertTypeMap;

private:
    std::map<std::string, std::string> m_args;
};
