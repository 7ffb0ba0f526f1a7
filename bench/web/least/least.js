// The least page with Velmora's controls, built by its script as Velmora's
// page is built by its module, and its calculation in plain JavaScript: the
// yardstick for the web version's start-up.
'use strict';

function group(legend, units) {
    var frame = document.createElement('fieldset');
    frame.appendChild(document.createElement('legend')).textContent = legend;
    var text = frame.appendChild(document.createElement('input'));
    units.forEach(function(unit, index) {
        var label = frame.appendChild(document.createElement('label'));
        var option = label.appendChild(document.createElement('input'));
        option.type = 'radio';
        option.name = legend;
        option.value = unit[1];
        option.checked = index === units.length - 1;
        label.append(unit[0]);
    });
    document.body.appendChild(frame);
    return function() {
        return Number(text.value) * Number(frame.querySelector('input:checked').value);
    };
}

var frequency = group('Frequency', [['Hz', 1], ['KHz', 1e3], ['MHz', 1e6]]);
var inductance = group('Inductance', [['mH', 1e-3], ['uH', 1e-6]]);
var result = document.body.appendChild(document.createElement('p'));
var calculate = document.body.appendChild(document.createElement('button'));
calculate.id = 'cmdCalc';
calculate.textContent = 'Calculate';
calculate.addEventListener('click', function() {
    var ohms = 2 * Math.PI * frequency() * inductance();
    result.textContent = 'Inductive Reactance = ' + Math.round(ohms * 100) / 100 + ' ohms';
});
