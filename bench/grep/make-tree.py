#!/usr/bin/env python3
# A CGI site for the grep bench: 3,000 scripts of about 33 KB (about 100 MB in all), two thirds Shift_JIS,
# one sixth EUC-JP, one sixth UTF-8, with CR LF, LF and CR line ends, some binary files and a folder twenty
# levels deep. Every script prints 管理者 on some lines and some write $logfile. Deterministic.
# Usage: make-tree.py FOLDER [SCRIPTS]
import os
import random
import sys

root = sys.argv[1]
scripts = int(sys.argv[2]) if len(sys.argv) > 2 else 3000
rng = random.Random(32)

WORDS = ['掲示板', '投稿', '記事', '削除', '返信', 'お名前', 'メール', 'タイトル', '本文', '表示', 'ソース',
         '能力', '予定', 'ｶﾀｶﾅ', 'ＡＢＣ', '設定', 'ファイル', 'ログ', 'カウンター', '日付']
CODE = ['my $count = 0;', 'foreach my $line (@lines) {', '    chomp $line;', '    next unless $line;', '}',
        'open(my $fh, "<", $datafile) or die "$datafile: $!";', 'close($fh);', 'return wantarray ? @list : $list[0];',
        'if ($FORM{"mode"} eq "write") { &regist; }', 'my ($sec, $min, $hour) = localtime(time);',
        '$html =~ s/&/&amp;/g;', 'print "Content-type: text/html\\n\\n";']


def line(index):
    kind = rng.random()
    if kind < 0.012:
        return 'print "<p>管理者: %s</p>\\n";' % rng.choice(WORDS)
    if kind < 0.02:
        return 'open(LOG, ">>$logfile") || &error("%sに書けません");' % rng.choice(WORDS)
    if kind < 0.35:
        return '# %s' % ''.join(rng.choice(WORDS) for _ in range(rng.randint(2, 8)))
    if kind < 0.55:
        return 'print "<td>%s</td>\\n";' % ' '.join(rng.choice(WORDS) for _ in range(rng.randint(1, 5)))
    return rng.choice(CODE)


def script(target_bytes):
    lines = ['#!/usr/bin/perl', '# 管理者用の設定']
    size = 0
    while size < target_bytes:
        text = line(len(lines))
        lines.append(text)
        size += len(text) + 2
    return lines


def folder_of(index):
    if index % 100 == 99:
        return os.path.join(root, 'deep', *['level%02d' % depth for depth in range(20)])
    return os.path.join(root, 'site%02d' % (index % 30), 'cgi-bin' if index % 2 else 'lib')


for index in range(scripts):
    choice = [('sjis', 'cp932')] * 4 + [('euc', 'euc_jp'), ('utf8', 'utf-8')]
    name, codec = choice[index % 6]
    end = ['\r\n', '\n', '\r\n', '\n', '\r'][index % 5]
    folder = folder_of(index)
    os.makedirs(folder, exist_ok=True)
    text = end.join(script(rng.randint(18000, 36000))) + end
    extension = ['cgi', 'pl', 'pm', 'cgi', 'html'][index % 5]
    with open(os.path.join(folder, 'script%04d-%s.%s' % (index, name, extension)), 'wb') as out:
        out.write(text.encode(codec))
    if index % 60 == 0:
        # A binary beside the scripts: an image-like header, NUL bytes, and the patterns' bytes inside.
        blob = b'GIF89a\x00\x01' + bytes(rng.randrange(256) for _ in range(30000)) + b'$logfile' + '管理者'.encode('cp932')
        with open(os.path.join(folder, 'image%04d.gif' % index), 'wb') as out:
            out.write(blob)
