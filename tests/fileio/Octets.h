// A small independent encoder for expected file bytes in the tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

struct cOctets {
    std::string o;

    cOctets &U8(int v)
    {
        o.push_back(static_cast<char>(static_cast<uint8_t>(v)));
        return *this;
    }
    cOctets &U8s(std::initializer_list<int> vs)
    {
        for (int v : vs)
            U8(v);
        return *this;
    }
    cOctets &I32(int32_t v)
    {
        for (int i = 0; i < 4; ++i)
            U8(static_cast<int>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF));
        return *this;
    }
    cOctets &Brut(const std::string &s)
    {
        o += s;
        return *this;
    }
    cOctets &Texte(const std::string &s)
    {
        I32(static_cast<int32_t>(s.size() + 1));
        U8(static_cast<int>(s.size()));
        return Brut(s);
    }
    cOctets &Fixe(const std::string &s, std::size_t cap)
    {
        U8(static_cast<int>(s.size()));
        Brut(s);
        o.append(cap - s.size(), '\0');
        return *this;
    }
};
