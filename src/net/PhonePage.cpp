// The page a phone shows: the board and the whole pad on two tabs, drawn
// from the state the server hands out, fetched again every second.
#include "net/PhoneServer.h"

namespace kx {

const std::string& phonePage() {
    static const std::string page = R"KXPAGE(<!DOCTYPE html>
<html lang="de"><head><meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta name="referrer" content="no-referrer">
<title>Kartotrix – Tafel</title>
<style>
body{margin:0;font:18px/1.35 system-ui,sans-serif;background:#f4f1ea;color:#111}
nav{display:flex;position:sticky;top:0;background:#234;}
nav button{flex:1;font:inherit;padding:.6em;border:0;background:#234;color:#ccd}
nav button.on{background:#f4f1ea;color:#111;font-weight:bold}
section{padding:.6em}
.p{display:flex;align-items:center;margin:.3em 0;padding:.4em .6em;border-radius:.4em;font-size:1.4em}
.p .n{flex:1;overflow:hidden;text-overflow:ellipsis;white-space:nowrap}
.p .t{font-weight:bold;font-size:1.3em;margin-left:.4em}
.p .pl{width:2.2em;color:#444}
.m{display:block;font-size:.55em;color:#333}
.i{margin:.3em 0;font-size:1.1em}
.big{font-size:1.5em;font-weight:bold}
#bock{color:#a40}
#pad{overflow-x:auto;padding:.3em}
table{border-collapse:collapse;font-size:12px;width:100%;table-layout:fixed}
td,th{border:1px solid #bbb;padding:2px 1px;text-align:right;white-space:nowrap;overflow:hidden;text-overflow:ellipsis}
tr:first-child th:nth-child(1){width:1.9em}tr:first-child th:nth-child(2){width:2.6em}tr:first-child th:nth-child(3){width:1.6em}
th{background:#dde}
tr.e td{border-bottom:2px solid #555}
#stale{display:none;color:#a00}
</style></head><body>
<nav><button id="b1" class="on">Tafel</button><button id="b2">Block</button></nav>
<section id="board"><div class="big" id="progress">…</div><div id="players"></div>
<div class="i" id="dealer"></div><div class="i" id="sitsout"></div><div class="i" id="bock"></div>
<div class="i" id="last"></div><div class="i" id="stale">Keine Verbindung zu Kartotrix.</div></section>
<section id="pad" hidden><table id="sheet"></table><div class="i" id="turnover"></div></section>
<script>
"use strict";
const $=id=>document.getElementById(id);
function tab(n){$("board").hidden=n!==1;$("pad").hidden=n!==2;
 $("b1").className=n===1?"on":"";$("b2").className=n===2?"on":"";}
$("b1").onclick=()=>{tab(1);history.replaceState(null,"","#tafel");};
$("b2").onclick=()=>{tab(2);history.replaceState(null,"","#block");};
tab(location.hash==="#block"?2:1);
function el(tag,text,cls){const e=document.createElement(tag);if(text!==undefined)e.textContent=text;if(cls)e.className=cls;return e;}
function showBoard(b){
 $("progress").textContent=b.padOpen?b.progress:"Noch kein Block";
 const ps=$("players");ps.replaceChildren();
 for(const p of b.players){const d=el("div",undefined,"p");d.style.background=p.colour;
  d.append(el("span",p.place,"pl"));const n=el("span",p.name,"n");
  if(p.marks)n.append(el("span",p.marks,"m"));
  d.append(n,el("span",String(p.total),"t"));ps.append(d);}
 $("dealer").textContent=b.dealer;$("sitsout").textContent=b.sitsOut;$("bock").textContent=b.bock;
 $("last").textContent=b.lastGame?"Zuletzt: "+b.lastGame:"";}
function showPad(s){const t=$("sheet");t.replaceChildren();if(!s){$("turnover").textContent="";return;}
 const h=el("tr");h.append(el("th",""),el("th","Sp"),el("th","Pk"));for(const n of s.names)h.append(el("th",n));t.append(h);
 for(const r of s.rows){const tr=el("tr",undefined,r.blockEnd?"e":"");tr.append(el("td",r.label),el("td",r.players),el("td",r.points));
  for(const c of r.cells)tr.append(el("td",c));t.append(tr);}
 const f=el("tr");f.append(el("th","Σ"),el("th",""),el("th",""));
 s.totals.forEach((v,i)=>{const c=el("th",v+(s.places[i]?" ("+s.places[i]+")":""));c.style.background=s.colours[i];f.append(c);});t.append(f);
 $("turnover").textContent=s.turnover;}
let last="";
async function poll(){try{const r=await fetch("state.json",{cache:"no-store"});
 if(r.ok){const text=await r.text();$("stale").style.display="none";
  if(text!==last){last=text;const s=JSON.parse(text);showBoard(s.board);showPad(s.pad);}}
 else $("stale").style.display="block";}catch(e){$("stale").style.display="block";}
 setTimeout(poll,1000);}
poll();
</script></body></html>
)KXPAGE";
    return page;
}

}  // namespace kx
