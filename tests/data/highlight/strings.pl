# strings that run over line ends, each kind
$acomment = '<font color=ffffff>登録して<br>
現在は25レース</font>';
# タイトル
$html = "<td>$name</td>
<td>@list \" \\" . $next;
$cmd = `ls
-l $dir`;
@w = qw(a b
  c (d) e);
$q = qq{a {b}
$c} . q|x
y|;
$x =~ s{a
b}
  {c $d
}gx;
$y =~ m/a
b/i and tr/a-z
/A-Z/;
$s = "表";
print 2; # "
$t = '表示' . 'ソ';
$u = '; $v = 'x';
print qx{echo \}
} . 'it''s';
$h{__END__} = __END__ => 1;
1; __END__ data
more data 'x
