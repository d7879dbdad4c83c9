#!/usr/bin/env python3
"""Writes the English texts of translations/tavrin_en.ts as a C++ table for the
browser page, sorted by context and source so that the page looks them up by
binary search. Unfinished entries are left out (the text stays Japanese)."""
import sys
import xml.etree.ElementTree as ET


def literal(text):
    out = ['"']
    for byte in text.encode('utf-8'):
        ch = chr(byte)
        if ch == '"' or ch == '\\':
            out.append('\\' + ch)
        elif ch == '\n':
            out.append('\\n')
        elif 0x20 <= byte < 0x7F and ch != '?':
            out.append(ch)
        else:
            # Octal, so that a following digit or letter cannot join the escape.
            out.append('\\%03o' % byte)
    out.append('"')
    return ''.join(out)


def main():
    source, target = sys.argv[1], sys.argv[2]
    entries = []
    for context in ET.parse(source).getroot().iter('context'):
        name = context.findtext('name') or ''
        for message in context.iter('message'):
            translation = message.find('translation')
            if translation is None or translation.get('type') in ('unfinished', 'obsolete', 'vanished'):
                continue
            entries.append((name.encode('utf-8'), (message.findtext('source') or '').encode('utf-8'),
                            name, message.findtext('source') or '', translation.text or ''))
    entries.sort(key=lambda e: (e[0], e[1]))
    with open(target, 'w', encoding='ascii') as out:
        out.write('// Made from translations/tavrin_en.ts by web/make_translation_table.py.\n')
        out.write('#include "web/translation_table.h"\n\nnamespace tavrin::web {\n\n')
        out.write('const TranslationEntry kEnglishTexts[] = {\n')
        for _, _, context, text, english in entries:
            out.write('    {%s, %s, %s},\n' % (literal(context), literal(text), literal(english)))
        out.write('};\nconst std::size_t kEnglishTextCount = %d;\n\n} // namespace tavrin::web\n' % len(entries))


if __name__ == '__main__':
    main()
