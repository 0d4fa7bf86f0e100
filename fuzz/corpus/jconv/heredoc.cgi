#!/usr/bin/perl
# 銀行のページ
my $name = '山田';
print "Content-type: text/html\n\n";
print <<"EOM";
<html><head><title>銀行 - $name様</title></head>
<body bgcolor="#ffffff">
<p>残高は @balance 円です。 It's $hash{'yen'} 円 (\$ は記号)</p>
EOM
print <<'RAW', <<BARE;
'$not_a_var' と @none 100%
RAW
$name さん <b>ようこそ</b>
BARE
my $x = << "SPACED" . 'after';
text $x
SPACED
    print <<~INDENT;
        indented $x
        INDENT
print $x << 2, "\n";
print <<EOM  ;
EOM 
EOM
exit;
