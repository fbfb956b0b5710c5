/*
 * Generated HTML for the text store benchmarks, and the colouring tokens an HTML editor
 * would set on it: tags, attribute names, quoted and bare values, comments and the text
 * between them. The same seed always gives the same document.
 */
#ifndef _BENCH_HTML_GENERATOR_H
#define _BENCH_HTML_GENERATOR_H

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace HtmlBench {

// A document of at least size bytes, made of short lines of markup and text.
inline std::string
GenerateHtml(size_t size, uint32_t seed = 1)
{
	static const char* const kWords[] = {
		"the", "editor", "colours", "every", "tag", "as", "you", "type", "and",
		"a", "long", "document", "stays", "quick", "zażółć", "gęślą", "jaźń", "€uro"
	};
	static const char* const kTags[] = {"b", "i", "a", "span", "td", "font", "p", "li"};
	static const char* const kNames[] = {"href", "class", "width", "color", "id", "align"};
	std::mt19937 random(seed);
	auto pick = [&random](uint32_t count) { return random() % count; };

	std::string html = "<html>\n<head><title>Generated</title></head>\n<body>\n";
	while (html.size() < size) {
		uint32_t kind = pick(10);
		if (kind == 0) {
			html += "<!-- section ";
			html += std::to_string(html.size());
			html += " -->\n";
		} else if (kind <= 3) {
			// Words with an inline tag around some of them.
			const char* tag = kTags[pick(8)];
			html += "<";
			html += tag;
			html += ">";
			html += kWords[pick(18)];
			html += "</";
			html += tag;
			html += "> ";
			html += kWords[pick(18)];
			html += " ";
		} else if (kind <= 7) {
			// A tag with attributes: quoted, bare, and a bare name at the end.
			html += "<";
			html += kTags[pick(8)];
			uint32_t attributes = 1 + pick(3);
			for (uint32_t i = 0; i < attributes; i++) {
				html += " ";
				html += kNames[pick(6)];
				if (pick(3) == 0)
					html += "=" + std::to_string(pick(500));
				else
					html += "=\"v" + std::to_string(pick(1000)) + "\"";
			}
			if (pick(4) == 0)
				html += " nowrap";
			html += ">";
		} else {
			html += kWords[pick(18)];
			html += pick(2) == 0 ? "\n" : " ";
		}
		if (pick(6) == 0)
			html += "\n";
	}
	html += "</body>\n</html>\n";
	return html;
}


enum TokenKind {
	kNormalToken = 0,
	kTagToken,
	kParameterToken,
	kValueToken,
	kCommentToken,
	kTokenKinds
};


struct Token {
	int32_t		from;
	int32_t		to;
	TokenKind	kind;
};


// Splits from..to into colouring tokens. byteAt(offset) gives the text's bytes (0 past
// the end), so the scan runs over a std::string or the text store alike.
template<typename ByteAt, typename Emit>
void
Tokenize(ByteAt byteAt, int32_t from, int32_t to, Emit emit)
{
	int32_t p = from;
	while (p < to && byteAt(p) != '\0') {
		if (byteAt(p) == '<' && byteAt(p + 1) == '!' && byteAt(p + 2) == '-'
			&& byteAt(p + 3) == '-') {
			int32_t q = p + 4;
			while (q < to && !(byteAt(q - 2) == '-' && byteAt(q - 1) == '-'
					&& byteAt(q) == '>'))
				q++;
			if (q < to)
				q++;
			emit(p, q, kCommentToken);
			p = q;
		} else if (byteAt(p) == '<') {
			int32_t q = p + 1;
			while (q < to && byteAt(q) != ' ' && byteAt(q) != '>')
				q++;
			if (q >= to) {
				emit(p, q, kTagToken);
				p = q;
				continue;
			}
			if (byteAt(q) == '>') {
				emit(p, q + 1, kTagToken);
				p = q + 1;
				continue;
			}
			emit(p, q + 1, kTagToken);
			int32_t a = q + 1;
			while (a < to && byteAt(a) != '>') {
				// One attribute: the spaces before it, its name, "=" and a value.
				int32_t r = a;
				while (r < to && byteAt(r) == ' ')
					r++;
				while (r < to && byteAt(r) != '=' && byteAt(r) != ' ' && byteAt(r) != '>')
					r++;
				if (r < to && byteAt(r) == '=') {
					emit(a, r + 1, kParameterToken);
					int32_t v = r + 1;
					if (v < to && byteAt(v) == '"') {
						int32_t close = v + 1;
						while (close < to && byteAt(close) != '"')
							close++;
						if (close < to)
							close++;
						emit(v, close, kValueToken);
						a = close;
					} else {
						while (v < to && byteAt(v) != ' ' && byteAt(v) != '>')
							v++;
						emit(r + 1, v, kValueToken);
						a = v;
					}
				} else {
					// A bare name.
					emit(a, r, kTagToken);
					a = r;
				}
			}
			if (a < to && byteAt(a) == '>') {
				emit(a, a + 1, kTagToken);
				a++;
			}
			p = a;
		} else {
			int32_t q = p + 1;
			while (q < to && byteAt(q) != '<')
				q++;
			emit(p, q, kNormalToken);
			p = q;
		}
	}
}


inline std::vector<Token>
TokenizeAll(const std::string& html)
{
	std::vector<Token> tokens;
	auto byteAt = [&html](int32_t offset) {
		return offset >= 0 && (size_t)offset < html.size() ? html[offset] : '\0';
	};
	Tokenize(byteAt, 0, (int32_t)html.size(),
		[&tokens](int32_t from, int32_t to, TokenKind kind) {
			if (to > from)
				tokens.push_back({from, to, kind});
		});
	return tokens;
}

}	// namespace HtmlBench

#endif	// _BENCH_HTML_GENERATOR_H
