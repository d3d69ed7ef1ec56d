// Page files as people write them, for the benchmarks: formatted rich text of a given size.
#pragma once

#include <iterator>
#include <string>

namespace tavrik::test {

// Notes as people write them: paragraphs of Russian and some Latin words, with bold, italic,
// coloured and resized runs. Cyrillic goes out as \uN escapes with a "?" for old readers.
class RtfWriter {
public:
    explicit RtfWriter(unsigned seed) : state_(seed) {}

    std::string Page(size_t targetBytes) {
        std::string rtf =
            "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049"
            "{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}{\\f1\\froman\\fcharset204 Times New Roman;}"
            "{\\f2\\fmodern\\fcharset204 Courier New;}}\r\n"
            "{\\colortbl ;\\red192\\green0\\blue0;\\red0\\green112\\blue0;\\red0\\green0\\blue192;}\r\n"
            "\\viewkind4\\uc1\\pard\\f0\\fs20 ";
        while (rtf.size() + 2 < targetBytes) Paragraph(rtf);
        rtf += "}\r\n";
        return rtf;
    }

private:
    unsigned Next(unsigned bound) {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) % bound;
    }

    void Word(std::string& rtf) {
        static const char16_t* const kRussian[] = {
            u"записка", u"страница", u"сегодня", u"встреча", u"телефон", u"купить", u"молоко", u"хлеб",
            u"позвонить", u"работа", u"неделя", u"понедельник", u"письмо", u"адрес", u"ключ", u"Москва",
            u"договор", u"отчёт", u"в", u"и", u"на", u"не", u"что", u"завтра", u"утром", u"обязательно"};
        static const char* const kLatin[] = {"note", "draft", "plan", "call", "report", "v2", "TODO", "e-mail"};
        if (Next(6) == 0) {
            rtf += kLatin[Next(std::size(kLatin))];
        } else {
            for (const char16_t* c = kRussian[Next(std::size(kRussian))]; *c; ++c)
                rtf += "\\u" + std::to_string(static_cast<int>(*c)) + "?";
        }
        rtf += ' ';
    }

    void Paragraph(std::string& rtf) {
        const unsigned words = 12 + Next(20);
        for (unsigned i = 0; i < words; ++i) {
            switch (Next(9)) {
            case 0: rtf += "{\\b "; Word(rtf); Word(rtf); rtf += "}"; break;
            case 1: rtf += "{\\i "; Word(rtf); rtf += "}"; break;
            case 2: rtf += "{\\cf" + std::to_string(1 + Next(3)) + " "; Word(rtf); rtf += "}"; break;
            case 3: rtf += "{\\f1\\fs24 "; Word(rtf); rtf += "}"; break;
            default: Word(rtf); break;
            }
        }
        rtf += "\\par\r\n";
    }

    unsigned state_;
};

}  // namespace tavrik::test
