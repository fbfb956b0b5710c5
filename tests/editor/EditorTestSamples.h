// Text of each encoding's own script, in UTF-8, for round trips through the 19
// encodings. Every sample holds HTML around it and only characters its encoding has.
#ifndef EDITOR_TEST_SAMPLES_H
#define EDITOR_TEST_SAMPLES_H

static const char* const kScriptSamples[19] = {
	"<p lang=fr>Café à l'été, naïve Ærøskøbing, Straße ÿ</p>",
	"<p lang=pl>Zażółć gęślą jaźń, ŁÓDŹ, Ćma</p>",
	"<p lang=mt>Ħ ħ Ĝ ĝ Ĉ ĉ Ŝ ŝ Ż ż Ġ ġ Ŭ ŭ</p>",
	"<p lang=lv>Ā ā Ē ē Ģ ģ Ī ī Ķ ķ Ļ ļ Ņ ņ Ō ō Ŗ ŗ Ū ū</p>",
	"<p lang=ru>Съешь же ещё этих мягких французских булок</p>",
	"<p lang=ar>مرحبا بالعالم</p>",
	"<p lang=el>Καλημέρα κόσμε, ΑΒΓΔ άέίόύώ</p>",
	"<p lang=he>שלום עולם</p>",
	"<p lang=tr>İstanbul ığdır Şş Ğğ</p>",
	"<p lang=se>Ŋ ŋ Ŧ ŧ Ð ð Þ þ ĸ</p>",
	"<p>Café ∑ π ≠ ∞ ﬁ ƒ</p>",
	"<p lang=ru>Привет, мир ёЁ</p>",
	"<p lang=uk>Україна Ўў Єє Її Іі</p>",
	"<p>€ “quotes” – — ™ œ Ÿ Š</p>",
	"<p lang=ru>Привет ёЁ ░▒▓</p>",
	"<p>Zażółć Привет 日本語 😀</p>",
	"<p lang=ja>日本語のテキスト、カタカナ</p>",
	"<p lang=ja>日本語のテキスト ｶﾀｶﾅ</p>",
	"<p lang=ja>日本語 漢字 ひらがな</p>"
};

#endif	// EDITOR_TEST_SAMPLES_H
